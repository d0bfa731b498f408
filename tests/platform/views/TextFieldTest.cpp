#include "platform/time/Locale.h"
#include "platform/time/NumberFormatter.h"
#include "platform/views/Stack.h"
#include "platform/views/TextField.h"
#include "platform/views/ViewFinder.h"
#include "platform/views/ViewGraph.h"

#include <gtest/gtest.h>

#include <memory>

using namespace platform;

namespace {

class TextFieldTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto currency = std::make_shared<NumberFormatter>();
        currency->numberStyle = NumberFormatter::Style::currency;
        currency->locale = Locale("en_US");
        graph->setRoot(VStack{
            TextField("Price e.g. $30.15", Binding<double>([this] { return price; }, [this](double v) { price = v; ++priceWrites; }),
                      currency),
            TextField("Title", Binding<std::string>([this] { return title; }, [this](std::string v) { titleWrites.push_back(v); title = v; })),
        });
        ViewFinder finder(graph->root().node());
        priceField = finder.first<TextField::Node>("Price e.g. $30.15");
        titleField = finder.first<TextField::Node>("Title");
    }

    double price = 30.15;
    int priceWrites = 0;
    std::string title;
    std::vector<std::string> titleWrites;
    std::shared_ptr<ViewGraph> graph = ViewGraph::make();
    TextField::Node* priceField = nullptr;
    TextField::Node* titleField = nullptr;
};

} // namespace

TEST_F(TextFieldTest, FormattedFieldShowsTheValueAndStoresOnlyTextThatParsesWhenEditingEnds) {
    ASSERT_NE(priceField, nullptr);
    EXPECT_EQ(priceField->text(), "$30.15");

    priceField->replaceText("$12.50");
    EXPECT_EQ(priceField->text(), "$12.50");
    EXPECT_EQ(price, 30.15) << "nothing is stored while editing";
    EXPECT_TRUE(priceField->endEditing());
    EXPECT_EQ(price, 12.5);
    EXPECT_EQ(priceField->text(), "$12.50");

    priceField->replaceText("12.50 dollars");
    EXPECT_FALSE(priceField->endEditing());
    EXPECT_EQ(price, 12.5);
    EXPECT_EQ(priceField->text(), "$12.50") << "the field shows the value again";
    EXPECT_EQ(priceWrites, 1);
}

TEST_F(TextFieldTest, PlainFieldStoresEveryEdit) {
    titleField->replaceText("S");
    titleField->replaceText("So");
    EXPECT_EQ(titleWrites, (std::vector<std::string>{"S", "So"}));
    EXPECT_TRUE(titleField->isEditing());
    EXPECT_TRUE(titleField->endEditing());
    EXPECT_FALSE(titleField->isEditing());
    EXPECT_EQ(titleField->text(), "So");
}

TEST_F(TextFieldTest, FocusingAnotherFieldCommitsTheOneBeingEdited) {
    priceField->replaceText("$1.00");
    EXPECT_EQ(graph->focusedField(), priceField);
    titleField->replaceText("Socks");
    EXPECT_EQ(price, 1.0);
    EXPECT_FALSE(priceField->isEditing());
    EXPECT_EQ(graph->focusedField(), titleField);

    graph->endEditing();
    EXPECT_EQ(graph->focusedField(), nullptr);
}

TEST_F(TextFieldTest, DisabledFieldIgnoresTyping) {
    std::string text = "fixed";
    View field = TextField("Locked", Binding<std::string>([&] { return text; }, [&](std::string v) { text = v; })).disabled();
    auto& node = static_cast<TextField::Node&>(field.node());
    node.replaceText("changed");
    EXPECT_EQ(text, "fixed");
    EXPECT_FALSE(node.isEditing());
}
