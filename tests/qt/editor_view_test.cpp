#include <QApplication>
#include <QCloseEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "control/editor_form.h"
#include "qt/editor_view.h"
#include "qt_fixture.h"

namespace sob::qt_test {
namespace {

class EditorViewTest : public FrontEndTest {
protected:
    void SetUp() override {
        FrontEndTest::SetUp();
        for (const auto& v : frontEnd->views())
            if (auto* e = dynamic_cast<qt::EditorView*>(v.get())) editorView = e;
        ASSERT_NE(editorView, nullptr);
    }

    TForm2& editor() { return *program->Form2; }

    void openEditor() {
        frontEnd->run([this] { form().N38.choose(); });
        QApplication::setActiveWindow(editorView);
        editorView->activateWindow();
        QApplication::processEvents();
    }

    qt::EditorView* editorView = nullptr;
};

TEST_F(EditorViewTest, ThePathTypedInTheFieldIsTheModelsAndHorosheClosesTheWindow) {
    EXPECT_FALSE(editorView->isVisible());
    openEditor();
    ASSERT_TRUE(editorView->isVisible());
    EXPECT_FALSE(form().enabled);
    EXPECT_TRUE(view->isEnabled());  // takes no input, but is not greyed
    EXPECT_EQ(editorView->pathField()->text(), q("D:\\Txt.Dat"));
    EXPECT_EQ(editorView->windowTitle(), q("Редактор"));

    editorView->pathField()->selectAll();
    typeText(editorView->pathField(), q("/tmp/обмен.dat"));
    EXPECT_EQ(u(editor().Edit1.text()), "/tmp/обмен.dat");
    EXPECT_FALSE(form().N13.checked);

    QTest::mouseClick(editorView->okButton(), Qt::LeftButton);
    EXPECT_FALSE(editor().visible);
    EXPECT_FALSE(editorView->isVisible());
    EXPECT_TRUE(view->isEnabled());
    EXPECT_TRUE(form().Timer1.enabled());
}

TEST_F(EditorViewTest, TheIntervalFieldShowsTheModelsTextAndIsCorrectedOnLeavingIt) {
    openEditor();
    qt::SpinEditWidget* spin = editorView->intervalField();
    spin->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();

    QTest::keyClick(spin, Qt::Key_A, Qt::ControlModifier);
    typeText(spin, q("x0"));  // a letter is refused
    EXPECT_EQ(editor().SpinEdit1.text(), "0");
    EXPECT_EQ(spin->text(), q("0"));

    editorView->pathField()->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    EXPECT_EQ(editor().SpinEdit1.text(), "1");
    EXPECT_EQ(spin->text(), q("1"));

    // The arrows step the model's value within its range.
    frontEnd->run([this] { editor().SpinEdit1.setValue(60000); });
    spin->stepBy(1);
    EXPECT_EQ(editor().SpinEdit1.value(), 60000);
    spin->stepBy(-1);
    EXPECT_EQ(editor().SpinEdit1.value(), 59999);
    EXPECT_EQ(spin->text(), q("59999"));
}

TEST_F(EditorViewTest, AWindowManagersCloseRestoresTheMainWindow) {
    openEditor();
    editorView->close();
    QApplication::processEvents();
    EXPECT_FALSE(editor().visible);
    EXPECT_FALSE(editorView->isVisible());
    EXPECT_TRUE(form().enabled);
    EXPECT_TRUE(view->isEnabled());
}

}  // namespace
}  // namespace sob::qt_test
