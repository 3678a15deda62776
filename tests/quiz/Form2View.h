#pragma once
// What the tests see of the quiz window: the window itself, and its controls under their own
// names, which the window keeps to itself.
#include "quiz/Form2.h"

struct Form2View {
    explicit Form2View(Form2& form)
        : window(form), Label2(form.Label2), Label22(form.Label22), LBLANS(form.LBLANS), cmdans(form.cmdans),
          Label4(form.Label4), Label3(form.Label3), LBLEXTRA(form.LBLEXTRA), Command1(form.Command1),
          Command2(form.Command2), Imgdelvo(form.Imgdelvo), Image1(form.Image1), Mp3Play1(form.Mp3Play1)
    {
    }

    Form2& window;
    platform::Label* Label2;
    platform::Label* Label22;
    const std::array<platform::Label*, 5>& LBLANS;
    const std::array<platform::CommandButton*, 5>& cmdans;
    platform::Label* Label4;
    platform::Label* Label3;
    platform::Label* LBLEXTRA;
    platform::CommandButton* Command1;
    platform::CommandButton* Command2;
    const std::array<platform::ImageBox*, 5>& Imgdelvo;
    platform::ImageBox* Image1;
    platform::Mp3Player* Mp3Play1;
};
