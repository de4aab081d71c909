#include "control/editor_form.h"

#include <string>

#include "platform/cp1251_literal.h"
#include "window/main_form.h"

namespace sob {

TForm2::TForm2(Platform& platform_, TForm1& form1)
    : Form("Form2", platform_.screen),
      platform(platform_),
      Form1(form1),
      Timer1(platform_.scheduler, "Form2.Timer1", 2000, false) {
    caption = std::string("Редактор"_cp);
    setClientSize(305, 105);
    font = Font{};  // "MS Sans Serif", 8 points
    visible = false;

    Bevel1.bounds = {0, 1, 305, 104};

    GroupBox1.caption = std::string("Путь файла:"_cp);
    GroupBox1.bounds = {8, 8, 185, 57};
    Edit1.bounds = {8, 24, 169, 21};  // inside GroupBox1
    Edit1.maxLength = 0;
    Edit1.color = colors::highlightText;
    Edit1.setText(std::string(defaultExchangePath));
    Edit1.onChange = [this] { Edit1Change(); };

    GroupBox2.caption = std::string("Интервал (сек.):"_cp);
    GroupBox2.bounds = {200, 8, 97, 57};
    SpinEdit1.bounds = {8, 24, 81, 22};  // inside GroupBox2
    SpinEdit1.color = colors::highlightText;
    SpinEdit1.minValue = 1;
    SpinEdit1.maxValue = 60000;
    SpinEdit1.setValue(defaultExchangeInterval);
    SpinEdit1.onChange = [this] { SpinEdit1Change(); };

    Button1.caption = std::string("Хорошо"_cp);
    Button1.bounds = {72, 72, 75, 25};
    Button1.onClick = [this] { Button1Click(); };

    Button2.caption = std::string("Отмена"_cp);
    Button2.bounds = {157, 72, 75, 25};
    Button2.onClick = [this] { Button2Click(); };

    tabOrder = {&Edit1, &SpinEdit1, &Button1, &Button2};

    Timer1.setOnTimer([this] { Timer1Timer(); });

    // A window manager may close the window although it has no close box:
    // the main window must not stay disabled, so that counts as "Хорошо".
    onCloseRequest = [this] { Button1Click(); };
}

void TForm2::open() {
    if (!shownBefore) centre();
    shownBefore = true;
    show();
    enabled = true;
    Timer1.setEnabled(true);
}

void TForm2::close() {
    Timer1.setEnabled(false);
    Form1.resumeFromSecondaryWindow();
    hide();
}

// "Хорошо" and "Отмена" close the window alike: the fields are live, so
// there is nothing to keep or to undo.
void TForm2::Button1Click() {
    close();
}
void TForm2::Button2Click() {
    close();
}

// Every two seconds the focus moves to one of the two fields, each with
// probability one half.
void TForm2::Timer1Timer() {
    platform.random.randomize(platform.clock);
    const int draw = platform.random.drawBetween(1, 6);
    focusRequest = draw % 2 == 1 ? static_cast<const Control*>(&Edit1) : &SpinEdit1;
    ++focusRequestCount;
}

// Any change of a field, typed or set by a command, means the settings are no
// longer the defaults; only the restore command's own changes keep the mark.
void TForm2::Edit1Change() {
    if (!restoring_) Form1.N13.checked = false;
}

void TForm2::SpinEdit1Change() {
    if (!restoring_) Form1.N13.checked = false;
}

void TForm2::SpinEdit1Exit() {
    SpinEdit1.correct();
}

void TForm2::restoreDefaults() {
    struct Restoring {
        bool& flag;
        explicit Restoring(bool& f) : flag(f) { flag = true; }
        ~Restoring() { flag = false; }
    } restoring(restoring_);
    Edit1.setText(std::string(defaultExchangePath));
    SpinEdit1.setValue(defaultExchangeInterval);
}

}  // namespace sob
