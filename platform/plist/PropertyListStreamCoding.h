#pragma once

#include "platform/plist/BinaryPropertyListStream.h"
#include "platform/plist/PropertyListCodable.h"

#include <array>
#include <concepts>
#include <map>
#include <string>
#include <tuple>
#include <type_traits>
#include <unordered_map>
#include <vector>

namespace platform {

// Codable values written straight into a BinaryPropertyListStream, as the
// same property list PropertyListCodable<T>::encode makes, without the tree:
// records, string-keyed maps, vectors, strings, reals and booleans are
// written part by part; anything else goes through its own tree, which is
// small (a date, a URL, an integer).
namespace streamCoding {

template <class T>
struct IsStringKeyedMap : std::false_type {};
template <class Value, class Compare, class Allocator>
struct IsStringKeyedMap<std::map<std::string, Value, Compare, Allocator>> : std::true_type {};
template <class Value, class Hash, class Equal, class Allocator>
struct IsStringKeyedMap<std::unordered_map<std::string, Value, Hash, Equal, Allocator>> : std::true_type {};

template <class T>
struct IsVector : std::false_type {};
template <class T, class Allocator>
struct IsVector<std::vector<T, Allocator>> : std::true_type {};

template <class T>
BinaryPropertyListStream::Reference write(BinaryPropertyListStream& out, const T& value);

template <class Record>
BinaryPropertyListStream::Reference writeRecord(BinaryPropertyListStream& out, const Record& record) {
    constexpr std::size_t fieldCount = std::tuple_size_v<decltype(Record::codingFields())>;
    std::array<BinaryPropertyListStream::Reference, fieldCount> keys{};
    std::array<BinaryPropertyListStream::Reference, fieldCount> values{};
    std::size_t count = 0;
    const auto writeField = [&](const auto& field) {
        const auto& member = record.*field.member;
        using Member = std::remove_cvref_t<decltype(member)>;
        if constexpr (detail::IsOptional<Member>::value) {
            if (!member) {
                return; // an empty optional leaves its key out
            }
            keys[count] = out.fieldName(field.name);
            values[count] = write(out, *member);
        } else {
            keys[count] = out.fieldName(field.name);
            values[count] = write(out, member);
        }
        ++count;
    };
    std::apply([&](const auto&... fields) { (writeField(fields), ...); }, Record::codingFields());
    return out.dictionary(keys.data(), values.data(), count);
}

template <class T>
BinaryPropertyListStream::Reference write(BinaryPropertyListStream& out, const T& value) {
    if constexpr (std::same_as<T, std::string>) {
        return out.string(value);
    } else if constexpr (std::same_as<T, bool>) {
        return out.boolean(value);
    } else if constexpr (std::floating_point<T>) {
        return out.real(static_cast<double>(value));
    } else if constexpr (IsStringKeyedMap<T>::value) {
        std::vector<BinaryPropertyListStream::Reference> keys;
        std::vector<BinaryPropertyListStream::Reference> values;
        keys.reserve(value.size());
        values.reserve(value.size());
        for (const auto& [key, element] : value) {
            keys.push_back(out.string(key));
            values.push_back(write(out, element));
        }
        return out.dictionary(keys.data(), values.data(), keys.size());
    } else if constexpr (IsVector<T>::value && !std::same_as<T, Data>) {
        std::vector<BinaryPropertyListStream::Reference> elements;
        elements.reserve(value.size());
        for (const auto& element : value) {
            elements.push_back(write(out, element));
        }
        return out.array(elements.data(), elements.size());
    } else if constexpr (PropertyListRecord<T>) {
        return writeRecord(out, value);
    } else {
        return out.tree(PropertyListCodable<T>::encode(value));
    }
}

} // namespace streamCoding

} // namespace platform
