#pragma once
// The intro window: borderless over the whole screen, its background a capture of the desktop,
// so the title artwork seems to play on the player's own desktop. Its load step fixes the data
// folder and the file paths, loads the progress and checks for sound; its first activation
// plays the intro and unloads the window.
#include "platform/Surface.h"

#include <cstdint>
#include <functional>
#include <memory>

class transpik;

class Form1 : public platform::Surface {
    Q_OBJECT
public:
    Form1();
    ~Form1() override;

    void Form_Load();
    void Form_Activate();
    void Form_DblClick();
    void Form_Unload();

    // Shows the loaded window over the whole screen and returns once it has unloaded; the first
    // activation (which plays the intro) runs meanwhile in a local event loop.
    void showModally();

    std::unique_ptr<transpik> Pic1;  // the title artwork

    // Where the game's files are: the program's folder (tests point it at a temporary folder).
    std::function<QString()> programFolder;

signals:
    void unloaded();

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void useCapturedDesktop();
    void showOverScreen();
    void Unload();

    int16_t started_ = 0;
    bool unloadedOnce_ = false;
};

// The program's reference to the intro window: set while it is loaded, cleared by Form_Unload.
Form1* form1Reference();

// Loads the intro window, shows it modally and returns when it has unloaded. An error of the
// load step (no question bank in the program folder, an unreadable progress file) is raised here.
void ShowForm1Modally();
