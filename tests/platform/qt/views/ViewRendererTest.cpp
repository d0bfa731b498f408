#include "platform/appkit/Application.h"
#include "platform/appkit/Color.h"
#include "platform/qt/views/ButtonWidget.h"
#include "platform/qt/views/SliderWidget.h"
#include "platform/qt/views/SymbolLabel.h"
#include "platform/qt/views/TextFieldWidget.h"
#include "platform/qt/views/ViewBox.h"
#include "platform/qt/views/ViewRenderer.h"
#include "platform/views/Button.h"
#include "platform/views/Component.h"
#include "platform/views/ContextMenuModifier.h"
#include "platform/views/ForEach.h"
#include "platform/views/Slider.h"
#include "platform/views/Spacer.h"
#include "platform/views/Stack.h"
#include "platform/views/SymbolImage.h"
#include "platform/views/State.h"
#include "platform/views/Text.h"
#include "platform/views/TextField.h"
#include "platform/views/Toggle.h"
#include "platform/views/ViewGraph.h"
#include "tests/platform/qt/OffscreenApplication.h"
#include "tests/support/VirtualClockTest.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QContextMenuEvent>
#include <QMenu>
#include <QLabel>
#include <QTest>

#include <map>

using namespace platform;

namespace {

// A small form: a name typed in is echoed in a text, a switch and a slider
// keep their values, and the list below grows by one row per press.
class NameForm : public Component {
public:
    State<std::string> name{this, ""};
    State<bool> loud{this, false};
    State<double> volume{this, 3};
    State<std::vector<std::string>> rows{this, {"first"}};

    View body() override {
        return VStack{
            TextField("Name", name.binding()),
            Text("Hello, " + name.get()),
            Toggle("Loud", loud.binding()),
            Slider(volume.binding(), 0, 10, 1).label(Text("Volume")),
            Text("…").help("Time left"),
            VStack{ForEach(rows.get(), [](const std::string& row) { return row; },
                           [](const std::string& row) { return View(Text(row)); })},
            HStack{Spacer(), Button("Add", [this] {
                       auto grown = rows.get();
                       grown.push_back("row " + std::to_string(grown.size()));
                       rows.set(std::move(grown));
                   })}
                .contextMenu({Button("Clear", [this] { rows.set({}); })}),
        };
    }
};

// Two fields with a line of its own between them while the first holds no
// number, as a form says what it refused, and labels around them.
class CheckedForm : public Component {
public:
    State<std::string> amount{this, "x"};
    State<std::string> note{this, ""};

    View body() override {
        std::vector<View> rows{Text("Amount:"), TextField("Amount", amount.binding())};
        if (amount.get().find_first_not_of("0123456789") != std::string::npos) {
            rows.push_back(Text("Not a number").id("refusal"));
        }
        rows.push_back(Text("Whole numbers only"));
        rows.push_back(TextField("Note", note.binding()));
        return VStack(std::move(rows));
    }
};

// A count that changes every second beside a symbol, a background and a
// slider that do not, as a clock's panel has them.
class Ticker : public Component {
public:
    State<int> count{this, 0};
    State<double> level{this, 3};

    View body() override {
        return VStack{
            HStack{SymbolImage("timer")}.background(Color::textBackground()),
            Text(std::to_string(count.get())),
            Slider(level.binding(), 0, 10, 1),
        };
    }
};

// Counts the paint events each widget gets.
class PaintCounter final : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            ++paints[watched];
        }
        return false;
    }
    std::map<QObject*, int> paints;
};

class ViewRendererTest : public menulets::testing::VirtualClockTest {
protected:
    void SetUp() override {
        VirtualClockTest::SetUp();
        menulets::testing::offscreenApplication();
        window = new QWidget;
        graph->setRoot(View::make<NameForm>());
        graph->setVisible(true);
        graph->update();
        sync();
    }
    void TearDown() override {
        delete window;
        VirtualClockTest::TearDown();
    }

    // The model's rebuilds, then the widgets brought up to date, as after a turn.
    ViewBox* sync() {
        loop.runUntilIdle();
        graph->update();
        return renderer.sync(graph->root().node(), window);
    }
    NameForm& form() { return static_cast<NameForm&>(graph->root().node()); }
    template <typename Widget>
    Widget* find() const {
        return window->findChild<Widget*>();
    }
    QStringList labels() const {
        QStringList texts;
        for (auto* label : window->findChildren<QLabel*>()) {
            // Boxes replaced by a rebuild are hidden until Qt deletes them.
            if (label->isVisibleTo(window)) {
                texts << label->text();
            }
        }
        return texts;
    }

    std::shared_ptr<ViewGraph> graph = ViewGraph::make();
    QWidget* window = nullptr;
    UserAction act = [](const Event& event, const std::function<void()>& change) {
        Application::shared().dispatch(event, change);
    };
    ViewRenderer renderer{act};
};

} // namespace

TEST_F(ViewRendererTest, TypingStoresEachEditAndARebuildKeepsTheField) {
    auto* field = find<TextFieldWidget>();
    ASSERT_NE(field, nullptr);
    EXPECT_EQ(field->placeholderText(), "Name");
    QTest::keyClicks(field, "Ada");
    EXPECT_EQ(form().name.get(), "Ada");

    ViewBox* root = sync();
    EXPECT_EQ(find<TextFieldWidget>(), field) << "the field being typed into was made anew";
    EXPECT_EQ(field->text(), "Ada");
    EXPECT_TRUE(labels().contains("Hello, Ada")) << labels().join(" | ").toStdString();
    EXPECT_EQ(sync(), root);
}

TEST_F(ViewRendererTest, ControlsActOnTheNodesOfTheLatestBuild) {
    // Rebuilt once, so a control still holding the first build's node would miss.
    QTest::keyClicks(find<TextFieldWidget>(), "x");
    sync();

    auto* toggle = find<QCheckBox>();
    ASSERT_NE(toggle, nullptr);
    QTest::mouseClick(toggle, Qt::LeftButton);
    EXPECT_TRUE(form().loud.get());

    auto* slider = find<SliderWidget>();
    ASSERT_NE(slider, nullptr);
    EXPECT_EQ(slider->maximum(), 10) << "one position per step";
    EXPECT_EQ(slider->value(), 3);
    slider->setValue(7);
    EXPECT_EQ(form().volume.get(), 7);

    sync();
    EXPECT_TRUE(find<QCheckBox>()->isChecked());
    EXPECT_EQ(find<SliderWidget>()->value(), 7);
}

TEST_F(ViewRendererTest, ControlsAreNamedForScreenReadersByTheirPlaceholderLabelOrHelp) {
    EXPECT_EQ(find<TextFieldWidget>()->accessibleName(), "Name");
    EXPECT_EQ(find<SliderWidget>()->accessibleName(), "Volume");
    QStringList helped;
    for (auto* label : window->findChildren<QLabel*>()) {
        if (!label->accessibleName().isEmpty()) {
            helped << label->accessibleName();
        }
    }
    EXPECT_EQ(helped, QStringList{"Time left"});
}

TEST_F(ViewRendererTest, AViewComingOrGoingBetweenOthersLeavesThemTheirWidgetsAndTheFocus) {
    graph->setRoot(View::make<CheckedForm>());
    sync();
    const auto fields = [this] {
        QList<TextFieldWidget*> shown;
        for (auto* field : window->findChildren<TextFieldWidget*>()) {
            if (field->isVisibleTo(window)) {
                shown << field;
            }
        }
        return shown;
    };
    ASSERT_EQ(fields().size(), 2);
    TextFieldWidget* amount = fields()[0]->placeholderText() == "Amount" ? fields()[0] : fields()[1];
    TextFieldWidget* note = amount == fields()[0] ? fields()[1] : fields()[0];
    window->show();
    amount->setFocus();
    amount->selectAll();
    QTest::keyClicks(amount, "12");
    sync();
    // The widgets shown are the ones before, each showing its own field.
    EXPECT_FALSE(labels().contains("Not a number"));
    EXPECT_EQ(fields(), (QList<TextFieldWidget*>{amount, note}));
    EXPECT_EQ(note->placeholderText(), "Note");
    EXPECT_EQ(window->focusWidget(), amount);

    QTest::keyClicks(amount, "a");
    sync();
    EXPECT_TRUE(labels().contains("Not a number"));
    EXPECT_EQ(fields(), (QList<TextFieldWidget*>{amount, note}));
    EXPECT_EQ(note->placeholderText(), "Note");
    EXPECT_EQ(window->focusWidget(), amount);
}

TEST_F(ViewRendererTest, AListThatGrowsGetsNewRowsAndTheRestKeepsItsWidgets) {
    auto* field = find<TextFieldWidget>();
    auto* add = find<ButtonWidget>();
    ASSERT_NE(add, nullptr);
    EXPECT_EQ(add->text(), "Add");
    QTest::mouseClick(add, Qt::LeftButton);
    QTest::mouseClick(add, Qt::LeftButton);
    sync();
    EXPECT_TRUE(labels().contains("row 2")) << labels().join(" | ").toStdString();
    EXPECT_EQ(find<TextFieldWidget>(), field);

    // The buttons' row carries the context menu; the field has none of its own.
    auto* row = dynamic_cast<ViewBox*>(find<ButtonWidget>()->parentWidget()->parentWidget());
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->contextMenuPolicy(), Qt::CustomContextMenu);
    EXPECT_EQ(field->contextMenuPolicy(), Qt::DefaultContextMenu);
}

// A row of a list with a menu of its own: a field in it offers the row's
// entries first and its own editing ones after them.
class MenuRow : public Component {
public:
    State<std::string> text{this, "draft"};
    State<int> deleted{this, 0};

    View body() override {
        return HStack{TextField("Entry", text.binding())}.contextMenu(
            {Button("Delete", [this] { deleted.set(deleted.get() + 1); })});
    }
};

TEST_F(ViewRendererTest, AFieldInARowWithAMenuKeepsItsEditingEntriesAfterTheRows) {
    graph->setRoot(View::make<MenuRow>());
    sync();
    // The form's widgets are hidden until Qt deletes them.
    TextFieldWidget* field = nullptr;
    for (auto* shown : window->findChildren<TextFieldWidget*>()) {
        if (shown->isVisibleTo(window)) {
            field = shown;
        }
    }
    ASSERT_NE(field, nullptr);
    QContextMenuEvent request(QContextMenuEvent::Mouse, QPoint(2, 2), field->mapToGlobal(QPoint(2, 2)));
    QCoreApplication::sendEvent(field, &request);
    auto* menu = field->findChild<QMenu*>();
    ASSERT_NE(menu, nullptr);
    QStringList entries;
    for (QAction* action : menu->actions()) {
        entries << (action->isSeparator() ? QStringLiteral("-") : action->text().remove('&').section('\t', 0, 0));
    }
    ASSERT_GE(entries.size(), 5) << entries.join(" | ").toStdString();
    EXPECT_EQ(entries.mid(0, 2), (QStringList{"Delete", "-"}));
    EXPECT_TRUE(entries.contains("Copy") && entries.contains("Paste") && entries.contains("Cut"))
        << entries.join(" | ").toStdString();
    menu->actions().first()->trigger();
    EXPECT_EQ(static_cast<MenuRow&>(graph->root().node()).deleted.get(), 1);
    menu->close();
}

TEST_F(ViewRendererTest, AnUpdateRepaintsOnlyWhatChanged) {
    graph->setRoot(View::make<Ticker>());
    sync();
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    sync();
    QCoreApplication::processEvents();
    auto* symbol = find<SymbolLabel>();
    auto* slider = find<SliderWidget>();
    ASSERT_NE(symbol, nullptr);
    ASSERT_NE(slider, nullptr);
    const auto drawnSymbol = symbol->pixmap().cacheKey();
    PaintCounter counter;
    for (auto* widget : window->findChildren<QWidget*>()) {
        widget->installEventFilter(&counter);
    }

    static_cast<Ticker&>(graph->root().node()).count.set(1);
    sync();
    QCoreApplication::processEvents();

    EXPECT_TRUE(labels().contains("1")) << labels().join(" | ").toStdString();
    EXPECT_EQ(symbol->pixmap().cacheKey(), drawnSymbol) << "the unchanged symbol was drawn again";
    EXPECT_EQ(counter.paints[slider], 0) << "the slider, which did not change, was repainted";
    EXPECT_EQ(counter.paints[symbol], 0) << "the symbol, which did not change, was repainted";
}
