#pragma once
// The quiz window: the program's main window. Its load step runs the intro and lays the window
// out by screen class; NEXTQUESTION shows a question, cmdans_Click judges an answer and ends
// with the final verdict, and a close request with questions left first shows a warning.
#include "platform/FormWindow.h"
#include "quiz/QuizRules.h"
#include "quiz/layout/QuizWindowLayout.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

namespace platform {
class CommandButton;
class ImageBox;
class Label;
class Mp3Player;
class SingleInstance;
} // namespace platform
class QuizAccessibility;

class Form2 : public platform::FormWindow {
    Q_OBJECT
public:
    Form2();  // the load step shows the intro window Form1
    // For tests: `intro` stands in for the intro window (it sets the data folder and loads the
    // progress), and the second-copy check uses the lock file at `lockPath`.
    Form2(std::function<void()> intro, const QString& lockPath);
    ~Form2() override;

    // Returns false when another copy of the program runs: the program then ends at once.
    bool Form_Load();

    void Form_Activate() override;
    void Form_KeyPress(int16_t& keyAscii) override;
    void Form_QueryUnload(bool& cancel) override;
    void Form_Unload() override;
    // Saves what the next run starts from: after each answer counted, at unload, and when the
    // session ends without a close. Before the intro has loaded the progress nothing has
    // changed, and nothing is written.
    void keepProgress();

    void NEXTQUESTION();
    void cmdans_Click(int16_t index);
    void Command1_Click();
    void Command2_Click();
    void Mp3Play1_ThreadEnded();
    // Shows ExtraText at the top of the window, centred, as an answer click shows it; and hides it.
    void placeExtraRemark();
    void hideExtraRemark();

    // The slots of Imgdelvo: the picture the player sees, and the three faces copied into it.
    enum DelvoPicture : int { DelvoShown = 1, DelvoNeutral = 2, DelvoDelighted = 3, DelvoDismayed = 4 };

protected:
    void showEvent(QShowEvent* event) override;
    void Form_FirstSeen() override;

private:
    // What a screen reader is told reads the controls; tests see them through a view of their own.
    friend class QuizAccessibility;
    friend struct Form2View;

    // Controls; arrays are indexed from 1, slot 0 is unused.
    platform::Label* Label2;    // the question, later the final score
    platform::Label* Label22;   // the question's number, "7."
    std::array<platform::Label*, 5> LBLANS{};         // the answers' texts
    std::array<platform::CommandButton*, 5> cmdans{};  // the square answer buttons beside them
    platform::Label* Label4;    // the close warning, later the verdict
    platform::Label* Label3;    // "Listen", under the music picture of the interlude
    platform::Label* LBLEXTRA;  // the extra remark on an answer, at the top of the window
    platform::CommandButton* Command1;  // Close
    platform::CommandButton* Command2;  // Replay: the music question's clip once more
    std::array<platform::ImageBox*, 5> Imgdelvo{};  // Delvo's picture and faces, by DelvoPicture
    platform::ImageBox* Image1;  // the music picture of the interlude
    platform::Mp3Player* Mp3Play1;  // plays the music questions' clips

    void createControls();
    void layOut();
    void playMusicInterlude();
    void showAnswers(const QStringList& answers, const QuestionPlacement& place);
    void giveFeedback(int16_t index, bool right);
    bool closeRequestedDuringAnswer() const;
    void showExtraRemark();
    void showFinalScreen();
    void setAnswerButtonsEnabled(bool enabled);
    void hideQuestion();
    // Takes the question off the window and shows `text` in Label4 beside Delvo's picture: the
    // close warning or the verdict.
    void showInPlaceOfQuestion(const QString& text);
    void StartClip();
    void StopClipForAnswer();
    double windowWidthPixels() const;
    double windowHeightPixels() const;

    QuizRules rules_{game()};
    std::function<void()> intro_;
    std::unique_ptr<platform::SingleInstance> instanceLock_;
    std::optional<QuizWindowLayout> layout_;  // set by the load step
    bool activated_ = false;
    bool progressLoaded_ = false;
    std::unique_ptr<QuizAccessibility> accessibility_;  // what a screen reader is told
};
