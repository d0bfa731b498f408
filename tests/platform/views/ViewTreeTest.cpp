#include "platform/views/Button.h"
#include "platform/views/Font.h"
#include "platform/views/Form.h"
#include "platform/views/RoundedRectangle.h"
#include "platform/views/Slider.h"
#include "platform/views/Spacer.h"
#include "platform/views/Stack.h"
#include "platform/views/SymbolImage.h"
#include "platform/views/Text.h"
#include "platform/views/TextField.h"
#include "platform/views/Toggle.h"
#include "platform/views/ViewDescriber.h"
#include "platform/views/ViewFinder.h"
#include "platform/views/ViewModifiers.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace platform;

namespace {

// A panel in the shape of the programs' views: tiles, a slider row, buttons.
View samplePanel(double& slider, bool& flag, std::string& name, int& presses) {
    auto tile = Text("1")
                    .font(Font::system(Font::Style::title, Font::Design::monospaced).bold())
                    .fixedSize()
                    .layoutPriority(100)
                    .padding(12)
                    .background(Color::textBackground())
                    .clipShape(RoundedRectangle(8))
                    .shadow(Color::black().withAlpha(0.33), 2);
    return VStack{
        HStack{tile, Text(":")},
        HStack{
            Slider(Binding<double>([&] { return slider; }, [&](double v) { slider = v; }), 8000, 43200)
                .label(SymbolImage("timer"))
                .minimumValueLabel(Text("0s"))
                .maximumValueLabel(Text("24h")),
            Button("Start", [&] { ++presses; }).buttonStyle(ButtonStyle::borderless),
            Button("Reset", [&] { presses += 10; }).disabled(),
        },
        TextField("Name", Binding<std::string>([&] { return name; }, [&](std::string v) { name = std::move(v); })),
        Form{Toggle("Should show title", Binding<bool>([&] { return flag; }, [&](bool v) { flag = v; }))
                 .help("Show title in timer panel")}
            .padding(),
        Spacer(),
    }
        .padding(Edges::bottom, 8)
        .contextMenu({Button("Open Settings", [&] { presses += 100; })});
}

} // namespace

TEST(ViewTree, ListsKindsValuesAndModifiersInOrder) {
    double slider = 18366;
    bool flag = false;
    std::string name = "Ada";
    int presses = 0;
    View panel = samplePanel(slider, flag, name, presses);

    EXPECT_EQ(panel.describe(),
              "VStack .padding(bottom: 8) .contextMenu\n"
              "  HStack\n"
              "    Text \"1\" .font(title monospaced bold) .fixedSize() .layoutPriority(100) .padding(12)"
              " .background(textBackgroundColor) .clipShape(RoundedRectangle(8)) .shadow(black alpha 0.33, radius: 2)\n"
              "    Text \":\"\n"
              "  HStack\n"
              "    Slider value=18366 range=8000...43200\n"
              "      label: Image \"timer\"\n"
              "      minimumValueLabel: Text \"0s\"\n"
              "      maximumValueLabel: Text \"24h\"\n"
              "    Button \"Start\" style=borderless .buttonStyle(borderless)\n"
              "    Button \"Reset\" .disabled() [disabled]\n"
              "  TextField placeholder=\"Name\" text=\"Ada\"\n"
              "  Form .padding(16)\n"
              "    Toggle \"Should show title\" off .help(\"Show title in timer panel\")\n"
              "  Spacer\n"
              "  contextMenu: Button \"Open Settings\"\n");
}

TEST(ViewTree, ControlsActOnTheirBindingsUnlessDisabled) {
    double slider = 18366;
    bool flag = false;
    std::string name;
    int presses = 0;
    View panel = samplePanel(slider, flag, name, presses);
    ViewFinder finder(panel.node());

    EXPECT_TRUE(finder.first<Button::Node>("Start")->press());
    EXPECT_FALSE(finder.first<Button::Node>("Reset")->press());
    EXPECT_EQ(presses, 1);

    auto* toggle = finder.first<Toggle::Node>("Should show title");
    ASSERT_NE(toggle, nullptr);
    EXPECT_TRUE(toggle->toggle());
    EXPECT_TRUE(flag);

    auto* knob = finder.first<Slider::Node>("timer");
    ASSERT_NE(knob, nullptr);
    EXPECT_EQ(knob->setValue(99999), 43200);
    EXPECT_EQ(knob->setValue(-1), 8000);
    EXPECT_EQ(slider, 8000);
}

TEST(ViewTree, SteppedSliderSnapsToStepsFromItsLowerBound) {
    double value = 0;
    View slider = Slider(Binding<double>([&] { return value; }, [&](double v) { value = v; }), 1, 11, 2.5);
    auto& node = static_cast<Slider::Node&>(slider.node());
    EXPECT_EQ(node.setValue(4.6), 3.5);
    EXPECT_EQ(node.setValue(5), 6);
    EXPECT_EQ(node.setValue(10.9), 11);
    EXPECT_EQ(node.setValue(std::nan("")), 11);
}

TEST(ViewTree, FinderNamesViewsByTextOrdinalAndPath) {
    std::vector<std::string> pressed;
    View tree = VStack{
        HStack{Text("Row"), Button("Delete", [&] { pressed.push_back("first"); })},
        HStack{Text("Row"), Button("Delete", [&] { pressed.push_back("second"); })},
    };
    ViewFinder finder(tree.node());

    EXPECT_EQ(finder.find<Button::Node>("Delete").size(), 2u);
    finder.first<Button::Node>("Delete#2")->press();
    finder.first<Button::Node>("/0")->press();
    EXPECT_EQ(pressed, (std::vector<std::string>{"second", "first"}));

    EXPECT_EQ(finder.atPath("/1/0"), &tree.node().children()[1].node().children()[0].node());
    EXPECT_EQ(finder.atPath("/"), &tree.node());
    EXPECT_EQ(finder.atPath("/7"), nullptr);
    EXPECT_EQ(finder.atPath("/x"), nullptr);
    EXPECT_TRUE(finder.find<Button::Node>("Delete#3").empty());
    EXPECT_TRUE(finder.find<Button::Node>("Delete#0").empty());
    EXPECT_TRUE(finder.find<Button::Node>("Row").empty());
    EXPECT_EQ(finder.find("Row").size(), 2u);
}

TEST(ViewTree, ListingWithPathsNamesEachLine) {
    View tree = VStack{Text("a"), HStack{Text("b")}};
    EXPECT_EQ(ViewDescriber({.paths = true}).describe(tree.node()),
              "/ VStack\n"
              "  /0 Text \"a\"\n"
              "  /1 HStack\n"
              "    /1/0 Text \"b\"\n");
}

TEST(ViewTree, EnvironmentModifiersReachInnerViewsInnermostFirst) {
    View inner = Text("x").font(Font::title3());
    View tree = VStack{inner, Text("y")}.font(Font::system(24, Font::Weight::semibold).monospacedDigit()).disabled();
    auto& y = tree.node().children()[1].node();
    // Parents are linked when a graph settles the tree; a bare tree has none.
    EXPECT_EQ(inner.node().environment<FontModifier>()->font(), Font::title3());
    EXPECT_EQ(tree.node().modifier<FontModifier>()->font().describe(), "system 24 semibold monospacedDigit");
    EXPECT_EQ(y.environment<FontModifier>(), nullptr);
    EXPECT_FALSE(tree.node().isEnabled());
}

TEST(ViewTree, RoundedRectangleKeepsItsCornersInsideTheRectangle) {
    auto path = RoundedRectangle(50).path(Rect{{0, 0}, {40, 20}});
    // The radius shrinks to half the shorter side: four corner arcs of 10.
    int arcs = 0;
    for (const auto& element : path.elements()) {
        if (element.kind == Path::Element::Kind::arc) {
            ++arcs;
            EXPECT_EQ(element.radius, 10);
            EXPECT_TRUE(element.center.x == 10 || element.center.x == 30);
            EXPECT_EQ(element.center.y, 10);
        }
    }
    EXPECT_EQ(arcs, 4);
    EXPECT_EQ(path.elements().front().point, (Point{10, 0}));
    EXPECT_EQ(path.elements().back().kind, Path::Element::Kind::close);
}
