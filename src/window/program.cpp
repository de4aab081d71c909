#include "window/program.h"

namespace sob {

Program::Program(Platform& platform) {
    Form1 = std::make_unique<TForm1>(platform);
    platform.dispatcher.run([this] { Form1->FormCreate(); });
    Form2 = std::make_unique<TForm2>(platform, *Form1);
    Form3 = std::make_unique<TForm3>(platform, *Form1);
    Form4 = std::make_unique<TForm4>(platform, *Form1);
    Form2->hide();
    Form3->hide();
    Form4->hide();
    Form1->Form2 = Form2.get();
    Form1->Form3 = Form3.get();
    Form1->Form4 = Form4.get();
}

Program::~Program() {
    if (Form1) {
        Form1->Form2 = nullptr;
        Form1->Form3 = nullptr;
        Form1->Form4 = nullptr;
    }
    Form4.reset();
    Form3.reset();
    Form2.reset();
}

void Program::show() {
    Form1->centre();
    Form1->show();
}

}  // namespace sob
