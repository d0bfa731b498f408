#pragma once

#include "platform/foundation/Data.h"
#include "platform/foundation/Date.h"
#include "platform/foundation/UUID.h"
#include "platform/plist/PropertyList.h"
#include "platform/plist/PropertyListCodingPath.h"

#include <cmath>
#include <cstdio>
#include <concepts>
#include <cstdint>
#include <limits>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>
#include <type_traits>
#include <unordered_map>
#include <vector>

namespace platform {

// How one type maps to a property-list node, in the manner of the platform's
// property-list encoder. A specialization provides
//   static PropertyList encode(const T& value);
//   static bool decode(const PropertyList& node, T& value, PropertyListCodingPath& path);
// where decode reports a failure through `path` and returns false. Decoding
// checks every kind and range, so that no tree can make it misbehave.
template <class T>
struct PropertyListCodable;

template <class T>
concept PropertyListCodableType =
    requires(const T& value, T& target, const PropertyList& node, PropertyListCodingPath& path) {
        { PropertyListCodable<T>::encode(value) } -> std::same_as<PropertyList>;
        { PropertyListCodable<T>::decode(node, target, path) } -> std::same_as<bool>;
    };

// One coded field of a record: its key and its member.
template <class Record, class Field>
struct CodingField {
    std::string_view name;
    Field Record::*member;
};

template <class Record, class Field>
constexpr CodingField<Record, Field> codingField(std::string_view name, Field Record::*member) {
    return {name, member};
}

// A record lists its coded fields once, in order, and is coded as a dictionary
// with those keys in that order:
//   static constexpr auto codingFields() {
//       return std::tuple{codingField("link", &Link::link), codingField("title", &Link::title)};
//   }
// An optional field leaves its key out when empty and is empty when the key is
// absent; every other key is required. Records must be default-constructible.
template <class T>
concept PropertyListRecord = requires { T::codingFields(); };

namespace detail {

template <class T>
struct IsOptional : std::false_type {};
template <class T>
struct IsOptional<std::optional<T>> : std::true_type {};

template <class T>
std::string rangeText() {
    return std::to_string(std::numeric_limits<T>::min()) + "..." + std::to_string(std::numeric_limits<T>::max());
}

// Maps whose keys are strings are dictionaries; any other key type makes an
// array alternating key and value, as the platform's encoder does.
template <class Map>
struct MapCoding {
    using Key = typename Map::key_type;
    using Value = typename Map::mapped_type;
    static constexpr bool keyedByString = std::same_as<Key, std::string>;

    static PropertyList encode(const Map& map) {
        if constexpr (keyedByString) {
            PropertyListDictionary dictionary;
            dictionary.reserve(map.size());
            for (const auto& [key, value] : map) {
                dictionary.set(key, PropertyListCodable<Value>::encode(value));
            }
            return dictionary;
        } else {
            PropertyListArray array;
            array.reserve(map.size() * 2);
            for (const auto& [key, value] : map) {
                array.push_back(PropertyListCodable<Key>::encode(key));
                array.push_back(PropertyListCodable<Value>::encode(value));
            }
            return array;
        }
    }

    static bool decode(const PropertyList& node, Map& map, PropertyListCodingPath& path) {
        map.clear();
        if constexpr (keyedByString) {
            const auto* dictionary = node.dictionary();
            if (dictionary == nullptr) {
                return path.failExpecting(PropertyList::Kind::dictionary, node);
            }
            for (const auto& [key, entry] : *dictionary) {
                auto scope = path.key(key);
                Value value{};
                if (!PropertyListCodable<Value>::decode(entry, value, path)) {
                    return false;
                }
                map.insert_or_assign(key, std::move(value));
            }
        } else {
            const auto* array = node.array();
            if (array == nullptr) {
                return path.failExpecting(PropertyList::Kind::array, node);
            }
            if (array->size() % 2 != 0) {
                return path.fail("expected alternating keys and values, found an odd number of elements");
            }
            for (std::size_t i = 0; i < array->size(); i += 2) {
                Key key{};
                Value value{};
                {
                    auto scope = path.index(i);
                    if (!PropertyListCodable<Key>::decode((*array)[i], key, path)) {
                        return false;
                    }
                }
                {
                    auto scope = path.index(i + 1);
                    if (!PropertyListCodable<Value>::decode((*array)[i + 1], value, path)) {
                        return false;
                    }
                }
                // A key that occurs twice keeps its later value.
                map.insert_or_assign(std::move(key), std::move(value));
            }
        }
        return true;
    }
};

} // namespace detail

template <>
struct PropertyListCodable<std::string> {
    static PropertyList encode(const std::string& value) { return PropertyList(value); }
    static bool decode(const PropertyList& node, std::string& value, PropertyListCodingPath& path) {
        const auto* text = node.string();
        if (text == nullptr) {
            return path.failExpecting(PropertyList::Kind::string, node);
        }
        value = *text;
        return true;
    }
};

// Booleans and integers are distinct kinds: neither decodes from the other.
template <>
struct PropertyListCodable<bool> {
    static PropertyList encode(bool value) { return PropertyList(value); }
    static bool decode(const PropertyList& node, bool& value, PropertyListCodingPath& path) {
        const auto* flag = node.boolean();
        if (flag == nullptr) {
            return path.failExpecting(PropertyList::Kind::boolean, node);
        }
        value = *flag;
        return true;
    }
};

// Integers decode from integers only (not reals, not booleans) and only when
// the value fits the field's type: a std::uint8_t takes 0 to 255.
template <class T>
    requires(std::integral<T> && !std::same_as<T, bool>)
struct PropertyListCodable<T> {
    static PropertyList encode(T value) {
        if constexpr (std::is_signed_v<T>) {
            return PropertyList::integer(static_cast<std::int64_t>(value));
        } else {
            return PropertyList::unsignedInteger(static_cast<std::uint64_t>(value));
        }
    }
    static bool decode(const PropertyList& node, T& value, PropertyListCodingPath& path) {
        const auto* integer = node.integer();
        if (integer == nullptr) {
            return path.failExpecting(PropertyList::Kind::integer, node);
        }
        const std::string found = (integer->negative && integer->magnitude != 0 ? "-" : "") +
                                  std::to_string(integer->magnitude);
        if constexpr (std::is_signed_v<T>) {
            const auto number = integer->asInt64();
            if (!number || *number < std::numeric_limits<T>::min() || *number > std::numeric_limits<T>::max()) {
                return path.fail("integer " + found + " out of range " + detail::rangeText<T>());
            }
            value = static_cast<T>(*number);
        } else {
            const auto number = integer->asUInt64();
            if (!number || *number > std::numeric_limits<T>::max()) {
                return path.fail("integer " + found + " out of range " + detail::rangeText<T>());
            }
            value = static_cast<T>(*number);
        }
        return true;
    }
};

// Reals also accept integers, as the platform's decoder reads any number into
// a floating-point field; a float rejects finite values beyond its range.
template <std::floating_point T>
struct PropertyListCodable<T> {
    static PropertyList encode(T value) { return PropertyList(static_cast<double>(value)); }
    static bool decode(const PropertyList& node, T& value, PropertyListCodingPath& path) {
        double number = 0;
        if (const auto* real = node.real()) {
            number = *real;
        } else if (const auto* integer = node.integer()) {
            const auto magnitude = static_cast<double>(integer->magnitude);
            number = integer->negative ? -magnitude : magnitude;
        } else {
            return path.failExpecting(PropertyList::Kind::real, node);
        }
        if (std::isfinite(number) && std::fabs(number) > static_cast<double>(std::numeric_limits<T>::max())) {
            char text[32];
            std::snprintf(text, sizeof text, "%g", number);
            return path.fail(std::string("real ") + text + " out of range");
        }
        value = static_cast<T>(number);
        return true;
    }
};

// Enumerations are coded as their underlying integer; any value of that type
// decodes, whether or not it names an enumerator.
template <class T>
    requires std::is_enum_v<T>
struct PropertyListCodable<T> {
    using Raw = std::underlying_type_t<T>;
    static PropertyList encode(T value) { return PropertyListCodable<Raw>::encode(static_cast<Raw>(value)); }
    static bool decode(const PropertyList& node, T& value, PropertyListCodingPath& path) {
        Raw raw{};
        if (!PropertyListCodable<Raw>::decode(node, raw, path)) {
            return false;
        }
        value = static_cast<T>(raw);
        return true;
    }
};

template <>
struct PropertyListCodable<Date> {
    static PropertyList encode(const Date& value) { return PropertyList(value); }
    static bool decode(const PropertyList& node, Date& value, PropertyListCodingPath& path) {
        const auto* date = node.date();
        if (date == nullptr) {
            return path.failExpecting(PropertyList::Kind::date, node);
        }
        value = *date;
        return true;
    }
};

template <>
struct PropertyListCodable<Data> {
    static PropertyList encode(const Data& value) { return PropertyList(value); }
    static bool decode(const PropertyList& node, Data& value, PropertyListCodingPath& path) {
        const auto* data = node.data();
        if (data == nullptr) {
            return path.failExpecting(PropertyList::Kind::data, node);
        }
        value = *data;
        return true;
    }
};

// The canonical upper-case string form; either case decodes.
template <>
struct PropertyListCodable<UUID> {
    static PropertyList encode(const UUID& value) { return PropertyList(value.uuidString()); }
    static bool decode(const PropertyList& node, UUID& value, PropertyListCodingPath& path) {
        const auto* text = node.string();
        if (text == nullptr) {
            return path.failExpecting(PropertyList::Kind::string, node);
        }
        auto uuid = UUID::fromString(*text);
        if (!uuid) {
            return path.fail("invalid UUID \"" + *text + "\"");
        }
        value = *uuid;
        return true;
    }
};

template <class T, class Allocator>
struct PropertyListCodable<std::vector<T, Allocator>> {
    static PropertyList encode(const std::vector<T, Allocator>& values) {
        PropertyListArray array;
        array.reserve(values.size());
        for (const auto& value : values) {
            array.push_back(PropertyListCodable<T>::encode(value));
        }
        return array;
    }
    static bool decode(const PropertyList& node, std::vector<T, Allocator>& values, PropertyListCodingPath& path) {
        const auto* array = node.array();
        if (array == nullptr) {
            return path.failExpecting(PropertyList::Kind::array, node);
        }
        values.clear();
        values.reserve(array->size());
        for (std::size_t i = 0; i < array->size(); ++i) {
            auto scope = path.index(i);
            T value{};
            if (!PropertyListCodable<T>::decode((*array)[i], value, path)) {
                return false;
            }
            values.push_back(std::move(value));
        }
        return true;
    }
};

template <class Key, class Value, class Compare, class Allocator>
struct PropertyListCodable<std::map<Key, Value, Compare, Allocator>>
    : detail::MapCoding<std::map<Key, Value, Compare, Allocator>> {};

template <class Key, class Value, class Hash, class Equal, class Allocator>
struct PropertyListCodable<std::unordered_map<Key, Value, Hash, Equal, Allocator>>
    : detail::MapCoding<std::unordered_map<Key, Value, Hash, Equal, Allocator>> {};

template <PropertyListRecord T>
struct PropertyListCodable<T> {
    static PropertyList encode(const T& record) {
        PropertyListDictionary dictionary;
        dictionary.reserve(std::tuple_size_v<decltype(T::codingFields())>);
        std::apply([&](const auto&... fields) { (encodeField(dictionary, record, fields), ...); }, T::codingFields());
        return dictionary;
    }
    static bool decode(const PropertyList& node, T& record, PropertyListCodingPath& path) {
        const auto* dictionary = node.dictionary();
        if (dictionary == nullptr) {
            return path.failExpecting(PropertyList::Kind::dictionary, node);
        }
        return std::apply(
            [&](const auto&... fields) { return (decodeField(*dictionary, record, fields, path) && ...); },
            T::codingFields());
    }

private:
    template <class Field>
    static void encodeField(PropertyListDictionary& dictionary, const T& record, const Field& field) {
        const auto& member = record.*field.member;
        using Member = std::remove_cvref_t<decltype(member)>;
        if constexpr (detail::IsOptional<Member>::value) {
            if (member) {
                dictionary.set(std::string(field.name), PropertyListCodable<typename Member::value_type>::encode(*member));
            }
        } else {
            dictionary.set(std::string(field.name), PropertyListCodable<Member>::encode(member));
        }
    }

    template <class Field>
    static bool decodeField(const PropertyListDictionary& dictionary, T& record, const Field& field,
                            PropertyListCodingPath& path) {
        auto& member = record.*field.member;
        using Member = std::remove_cvref_t<decltype(member)>;
        auto scope = path.key(field.name);
        const PropertyList* entry = dictionary.find(field.name);
        if constexpr (detail::IsOptional<Member>::value) {
            if (entry == nullptr) {
                member.reset();
                return true;
            }
            typename Member::value_type value{};
            if (!PropertyListCodable<typename Member::value_type>::decode(*entry, value, path)) {
                return false;
            }
            member = std::move(value);
            return true;
        } else {
            if (entry == nullptr) {
                return path.fail("missing key");
            }
            return PropertyListCodable<Member>::decode(*entry, member, path);
        }
    }
};

} // namespace platform
