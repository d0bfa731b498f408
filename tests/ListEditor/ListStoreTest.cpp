#include "tests/ListEditor/ListEditorTestSupport.h"

#include "platform/plist/BinaryPropertyList.h"

#include <memory>

using namespace platform;

namespace list_editor_test {
namespace {

template <typename Program>
class ListStoreTest : public menulets::testing::VirtualClockTest, public ListEditorTest<Program> {
protected:
    using Store = typename ListEditorTest<Program>::Store;
    using Entry = typename ListEditorTest<Program>::Entry;

    void SetUp() override {
        VirtualClockTest::SetUp();
        this->openDefaults();
    }

    // A store as the program makes it at launch; the user's first edit comes
    // after the run loop has turned.
    std::shared_ptr<Store> start() {
        auto store = Store::make();
        loop.runUntilIdle();
        return store;
    }
    // What a keystroke in the first row does.
    static void type(const std::shared_ptr<Store>& store, const std::string& text) {
        store->list.modify([&text](std::vector<Entry>& entries) { entries.front().text = text; });
        store->storePublisherPassthrough.send(store);
    }
};

TYPED_TEST_SUITE(ListStoreTest, Programs);

TYPED_TEST(ListStoreTest, FirstStartHasOneEmptyEntryAndWritesNothingUntilAChange) {
    auto store = this->start();
    ASSERT_EQ(store->list->size(), 1u);
    EXPECT_EQ(store->list->front().text, "");
    EXPECT_EQ(store->list->front().completed, decltype(store->list->front().completed){});
    EXPECT_NE(TestFixture::Store::make()->list->front().id, store->list->front().id) << "each default entry is a new one";
    this->loop.advance(10);
    EXPECT_FALSE(this->stored().has_value());
    EXPECT_EQ(this->output.str(), "");
}

TYPED_TEST(ListStoreTest, StoredListLoadsAsItWasAndAStoredEmptyArrayStaysEmpty) {
    auto marked = this->entry("Marked");
    marked.completed = decltype(marked.completed){1};
    const std::vector<typename TestFixture::Entry> saved{this->entry("First"), this->entry(""), marked};
    this->store(saved);
    EXPECT_EQ(this->start()->list.get(), saved);

    this->store(std::vector<typename TestFixture::Entry>{});
    EXPECT_TRUE(this->start()->list->empty());
}

TYPED_TEST(ListStoreTest, UnreadableValuesGiveTheDefaultEntryAndStayUntilTheNextSave) {
    auto element = [](PropertyList mark) {
        return PropertyListDictionary{
            {"id", "2398B9B0-0391-4FD8-BEAD-B9EDF1559634"}, {"text", "kept"}, {"completed", std::move(mark)}};
    };
    std::vector<PropertyList> unreadable{
        PropertyList("not data"),
        PropertyList(Data{'b', 'p', 'l', 'i', 's', 't'}),
        PropertyList(BinaryPropertyList::write(element(PropertyList::integer(0)))),
        PropertyList(BinaryPropertyList::write(PropertyListArray{
            PropertyListDictionary{{"id", "2398B9B0-0391-4FD8-BEAD-B9EDF1559634"}, {"text", "no mark"}}})),
        PropertyList(BinaryPropertyList::write(PropertyListArray{PropertyListDictionary{
            {"id", "not an identifier"}, {"text", "bad id"}, {"completed", PropertyList(false)}}})),
    };
    for (auto& mark : TypeParam::foreignMarks()) {
        unreadable.push_back(PropertyList(BinaryPropertyList::write(PropertyListArray{element(mark)})));
    }
    for (const auto& value : unreadable) {
        this->store(value);
        auto store = this->start();
        ASSERT_EQ(store->list->size(), 1u);
        EXPECT_EQ(store->list->front().text, "");
        this->loop.advance(10);
        EXPECT_EQ(this->stored(), value) << "left as it was while nothing changed";
    }

    auto store = this->start();
    this->type(store, "Saved over");
    this->loop.advance(TestFixture::Store::saveDelay);
    EXPECT_EQ(this->storedList(), (std::vector{store->list->front()}));
}

TYPED_TEST(ListStoreTest, ThreeEditsAHundredMillisecondsApartCostOneSaveHalfASecondAfterTheLast) {
    auto store = this->start();
    this->type(store, "B");
    this->loop.advance(0.1);
    this->type(store, "Be");
    this->loop.advance(0.1);
    this->type(store, "Be calm");
    this->loop.advance(0.49);
    EXPECT_FALSE(this->stored().has_value());
    this->loop.advance(0.02);
    EXPECT_EQ(this->storedList(), store->list.get());
    EXPECT_EQ(store->list->front().text, "Be calm");
    this->loop.advance(10);
    EXPECT_EQ(this->output.str(), this->saveLines(1));

    // Deleting the last entry is saved the same way: an empty array.
    store->list = {};
    store->storePublisherPassthrough.send(store);
    this->loop.advance(TestFixture::Store::saveDelay);
    EXPECT_EQ(this->storedList(), std::vector<typename TestFixture::Entry>{});
    EXPECT_EQ(this->output.str(), this->saveLines(2));
}

TYPED_TEST(ListStoreTest, AnAddedEntryIsSavedLikeAnEdit) {
    auto store = this->start();
    store->add(this->entry("Added"));
    this->loop.advance(0.49);
    EXPECT_FALSE(this->stored().has_value());
    this->loop.advance(0.02);
    ASSERT_TRUE(this->storedList().has_value());
    EXPECT_EQ(this->storedList()->back().text, "Added");
    EXPECT_EQ(this->storedList()->size(), 2u);
}

TYPED_TEST(ListStoreTest, SaveStillWaitingIsWrittenWhenAskedAndOnlyThen) {
    auto store = this->start();
    store->saveWaitingList();
    EXPECT_FALSE(this->stored().has_value()) << "nothing was waiting";

    this->type(store, "Typed just before quitting");
    store->saveWaitingList();
    EXPECT_EQ(this->storedList(), store->list.get());
    EXPECT_EQ(this->output.str(), this->saveLines(1));

    // The debounced save then finds nothing new; one written by the debounce is not written twice.
    this->type(store, "Typed and waited for");
    this->loop.advance(TestFixture::Store::saveDelay);
    this->store(PropertyList("changed elsewhere"));
    store->saveWaitingList();
    EXPECT_EQ(this->stored(), PropertyList("changed elsewhere"));
}

TYPED_TEST(ListStoreTest, StoreThatIsGoneSavesNothing) {
    auto store = this->start();
    this->type(store, "Never saved");
    store.reset();
    this->loop.advance(10);
    EXPECT_FALSE(this->stored().has_value());
}

TYPED_TEST(ListStoreTest, StoredFormIsAnArrayOfRecordsWithUpperCaseIdentifiers) {
    auto store = this->start();
    this->type(store, "Written");
    this->loop.advance(TestFixture::Store::saveDelay);
    auto tree = BinaryPropertyList::read(*this->stored()->data());
    ASSERT_TRUE(tree && tree->array() && tree->array()->size() == 1u);
    const auto* record = tree->array()->front().dictionary();
    ASSERT_NE(record, nullptr);
    std::vector<std::string> keys;
    for (const auto& [key, value] : *record) {
        keys.push_back(key);
    }
    EXPECT_EQ(keys, (std::vector<std::string>{"id", "text", "completed"}));
    const std::string id = store->list->front().id.uuidString();
    EXPECT_EQ(*record->find("id")->string(), id);
    EXPECT_EQ(id.size(), 36u);
    EXPECT_EQ(id.find_first_of("abcdef"), std::string::npos);
}

} // namespace
} // namespace list_editor_test
