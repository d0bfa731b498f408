#include "ViewsTestFixture.h"

#include "platform/combine/ObservableObject.h"
#include "platform/combine/Published.h"
#include "platform/views/Button.h"
#include "platform/views/Component.h"
#include "platform/views/ForEach.h"
#include "platform/views/List.h"
#include "platform/views/ObservedObject.h"
#include "platform/views/Stack.h"
#include "platform/views/State.h"
#include "platform/views/Text.h"
#include "platform/views/TextField.h"
#include "platform/views/ViewFinder.h"
#include "platform/views/ViewGraph.h"

#include <algorithm>

using namespace platform;

namespace {

struct Entry {
    std::string id;
    std::string text;
    bool operator==(const Entry&) const = default;
};

class Entries : public ObservableObject {
public:
    Published<std::vector<Entry>> list{*this, {{"a", "first"}, {"b", "second"}}};
};

// Per-row state, to see that it follows its row's id.
class Star : public Component {
public:
    View body() override {
        return Button(starred_ ? "starred" : "star", [this] { starred_ = !starred_.get(); });
    }

private:
    State<bool> starred_{this, false};
};

// Rows made anew at each build, or kept while their element stays the same.
template <bool keepsRows>
class RowsEditor : public Component {
public:
    explicit RowsEditor(std::shared_ptr<Entries> entries) : entries_(this, std::move(entries)) {}

    View body() override {
        auto row = [this](Binding<Entry> entry) {
            return HStack{TextField("Say something", entry.member(&Entry::text)), View::make<Star>(),
                          Button("Delete", [this, entry] { remove(entry.get().id); })};
        };
        auto id = [](const Entry& entry) { return entry.id; };
        return List{
            keepsRows ? ForEach::keepingUnchangedRows(entries_.binding(&Entries::list), id, row)
                      : ForEach(entries_.binding(&Entries::list), id, row),
            Button("Add", [this] { entries_->list.modify([](auto& list) { list.push_back({"n", "New"}); }); }),
        };
    }

private:
    void remove(const std::string& id) {
        entries_->list.modify([&](auto& list) { std::erase_if(list, [&](const Entry& e) { return e.id == id; }); });
    }

    ObservedObject<Entries> entries_;
};

class Editor final : public RowsEditor<false> {
public:
    using RowsEditor::RowsEditor;
};

class KeepingEditor final : public RowsEditor<true> {
public:
    using RowsEditor::RowsEditor;
};

} // namespace

class ListTest : public ViewsTest {
protected:
    void SetUp() override {
        ViewsTest::SetUp();
        graph->setRoot(View::make<Editor>(entries));
    }
    ViewFinder finder() const { return ViewFinder(graph->root().node()); }

    std::shared_ptr<Entries> entries = std::make_shared<Entries>();
    std::shared_ptr<ViewGraph> graph = ViewGraph::make();
};

TEST_F(ListTest, RowsEditTheirOwnElementsInPlace) {
    finder().first<TextField::Node>("Say something#2")->replaceText("changed");
    EXPECT_EQ(entries->list.get(), (std::vector<Entry>{{"a", "first"}, {"b", "changed"}}));

    finder().first<Button::Node>("Add")->press();
    turn();
    EXPECT_EQ(graph->root().describe(),
              "Editor\n"
              "  List\n"
              "    ForEach\n"
              "      HStack\n"
              "        TextField placeholder=\"Say something\" text=\"first\"\n"
              "        Star\n"
              "          Button \"star\"\n"
              "        Button \"Delete\"\n"
              "      HStack\n"
              "        TextField placeholder=\"Say something\" text=\"changed\" editing\n"
              "        Star\n"
              "          Button \"star\"\n"
              "        Button \"Delete\"\n"
              "      HStack\n"
              "        TextField placeholder=\"Say something\" text=\"New\"\n"
              "        Star\n"
              "          Button \"star\"\n"
              "        Button \"Delete\"\n"
              "    Button \"Add\"\n");
}

TEST_F(ListTest, TrailingButtonRemovesItsRowAndTheOthersKeepTheirState) {
    finder().first<Button::Node>("star#2")->press();
    turn();
    finder().first<Button::Node>("Delete#1")->press();
    turn();

    EXPECT_EQ(entries->list.get(), (std::vector<Entry>{{"b", "second"}}));
    EXPECT_EQ(finder().find<Button::Node>("starred").size(), 1u) << "row b keeps its star, not row a's";
    EXPECT_TRUE(finder().find<Button::Node>("star").empty());
}

TEST_F(ListTest, RowsRunTheirOnAppearWhenShownAndWhenAddedWhileShown) {
    std::vector<std::string> appeared;
    auto shown = ViewGraph::make();
    struct Rows : Component {
        Rows(std::shared_ptr<Entries> entries, std::vector<std::string>& log) : entries(this, std::move(entries)), log(log) {}
        View body() override {
            return List{ForEach(entries->list.get(), [](const Entry& e) { return e.id; }, [this](const Entry& e) {
                return Text(e.text).onAppear([this, id = e.id] { log.push_back(id); });
            })};
        }
        ObservedObject<Entries> entries;
        std::vector<std::string>& log;
    };
    shown->setRoot(View::make<Rows>(entries, appeared));
    EXPECT_TRUE(appeared.empty());
    shown->setVisible(true);
    EXPECT_EQ(appeared, (std::vector<std::string>{"a", "b"}));

    entries->list.modify([](auto& list) { list.insert(list.begin(), Entry{"c", "third"}); });
    turn();
    EXPECT_EQ(appeared, (std::vector<std::string>{"a", "b", "c"}));
}

TEST_F(ListTest, FieldOfARemovedRowStopsEditingWithIt) {
    auto* field = finder().first<TextField::Node>("Say something#1");
    field->replaceText("typing");
    entries->list = {};
    turn();
    EXPECT_EQ(graph->focusedField(), nullptr);
    EXPECT_TRUE(finder().find<TextField::Node>("*").empty());
}

TEST_F(ListTest, EntriesThatShareAnIdEachShowAndEditTheirOwnRow) {
    // A hand edit or a restored copy can leave two entries with one id.
    entries->list.set({{"a", "first"}, {"a", "twin"}, {"b", "second"}});
    turn();
    EXPECT_EQ(finder().first<TextField::Node>("Say something#2")->text(), "twin");

    finder().first<TextField::Node>("Say something#2")->replaceText("twin, edited");
    EXPECT_EQ(entries->list.get(), (std::vector<Entry>{{"a", "first"}, {"a", "twin, edited"}, {"b", "second"}}));
    finder().first<TextField::Node>("Say something#1")->replaceText("first, edited");
    EXPECT_EQ(entries->list.get(),
              (std::vector<Entry>{{"a", "first, edited"}, {"a", "twin, edited"}, {"b", "second"}}));
}

class KeptRowsTest : public ListTest {
protected:
    void SetUp() override {
        ViewsTest::SetUp();
        graph->setRoot(View::make<KeepingEditor>(entries));
    }
    // The rows as the graph has them now.
    std::vector<const ViewNode*> rows() {
        graph->update();
        std::vector<const ViewNode*> rows;
        for (const auto& row : finder().first<ForEach::Node>("/0/0")->children()) {
            rows.push_back(&row.node());
        }
        return rows;
    }
};

TEST_F(KeptRowsTest, AnEditMakesOnlyItsOwnRowAgainAndKeepsEditing) {
    const auto before = rows();
    auto* field = finder().first<TextField::Node>("Say something#2");
    field->replaceText("s");
    field->replaceText("se");
    const auto after = rows();

    EXPECT_EQ(entries->list.get(), (std::vector<Entry>{{"a", "first"}, {"b", "se"}}));
    ASSERT_EQ(after.size(), 2u);
    EXPECT_EQ(after[0], before[0]) << "the untouched row is kept";
    EXPECT_NE(after[1], before[1]) << "the edited row is made from its new element";
    EXPECT_EQ(graph->focusedField(), finder().first<TextField::Node>("Say something#2"));
    EXPECT_TRUE(graph->focusedField()->isEditing());
}

TEST_F(KeptRowsTest, RowsFollowChangesMadeElsewhereAndKeepTheirStateByIdentity) {
    finder().first<Button::Node>("star#2")->press();
    turn();
    const auto before = rows();
    entries->list.modify([](auto& list) {
        list.erase(list.begin());
        list.push_back({"c", "third"});
        list.front().text = "second, changed";
    });
    const auto after = rows();

    ASSERT_EQ(after.size(), 2u);
    EXPECT_NE(after[0], before[0]);
    EXPECT_EQ(graph->root().describe(),
              "KeepingEditor\n"
              "  List\n"
              "    ForEach\n"
              "      HStack\n"
              "        TextField placeholder=\"Say something\" text=\"second, changed\"\n"
              "        Star\n"
              "          Button \"starred\"\n"
              "        Button \"Delete\"\n"
              "      HStack\n"
              "        TextField placeholder=\"Say something\" text=\"third\"\n"
              "        Star\n"
              "          Button \"star\"\n"
              "        Button \"Delete\"\n"
              "    Button \"Add\"\n");

    // The rows kept then still edit and delete their own elements.
    finder().first<TextField::Node>("Say something#2")->replaceText("3rd");
    finder().first<Button::Node>("Delete#1")->press();
    turn();
    EXPECT_EQ(entries->list.get(), (std::vector<Entry>{{"c", "3rd"}}));
}
