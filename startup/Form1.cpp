#include "startup/Form1.h"

#include "startup/CheckDataFolder.h"
#include "platform/Clock.h"
#include "platform/Compositing.h"
#include "startup/DataFolders.h"
#include "core/GameState.h"
#include "startup/IntroPlan.h"
#include "platform/MessageBox.h"
#include "platform/ProgramFolder.h"
#include "questions/ProgressFile.h"
#include "transpik/PropertyBag.h"
#include "core/RunTimeError.h"
#include "platform/ScreenMetrics.h"
#include "support/GameSounds.h"
#include "support/SoundSupport.h"
#include "support/Units.h"
#include "startup/UsableCapture.h"
#include "support/VBPRNT32.h"
#include "transpik/transpik.h"

#include <QCloseEvent>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QTimer>

namespace {

Form1* theForm1 = nullptr;

// Without a window manager (a bare X server) no activation may ever come; the intro then starts
// this long after the window was shown.
constexpr int ActivationGraceMs = 150;

// Where the window's design places the title before the intro moves it.
constexpr float DesignLeft = 16;
constexpr float DesignTop = 0;

// A deep blue-black, as 0x00BBGGRR for the surface and as the pixel it paints.
constexpr uint32_t DarkBackground = 0x00201010;
constexpr QRgb DarkPixel = 0xFF101020;

} // namespace

Form1* form1Reference() { return theForm1; }

Form1::Form1()
    : programFolder(platform::ProgramFolder)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Quorvel Intro"));
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    // The intro is no main window: its closing must not end the program while the quiz window,
    // which opened it, is not shown yet.
    setAttribute(Qt::WA_QuitOnClose, false);
    setScaleMode(platform::vbPixels);
    Pic1 = std::make_unique<transpik>(*this);
    Pic1->UserControl_ReadProperties(PropertyBag::load(QStringLiteral(":/designs/Pic1.txt")));
    Pic1->extender().Move(DesignLeft, DesignTop);
    handlers.DblClick = [this] { Form_DblClick(); };
    theForm1 = this;
}

Form1::~Form1()
{
    if (theForm1 == this)
        theForm1 = nullptr;
}

void Form1::Form_Load()
{
    GameState& g = game();
    useCapturedDesktop();
    Pic1->setBorderStyle(0);

    g.DataFolder = programFolder().trimmed();
    if (!g.DataFolder.endsWith(QLatin1Char('/')))
        g.DataFolder += QLatin1Char('/');
    int16_t folderOk = 0;
    CheckDataFolder(folderOk);
    bool installed = false;
    if (folderOk != 1) {
        // Not a portable copy: an installed game finds its data beside its bin/ folder.
        const QString programData = g.DataFolder;
        g.DataFolder = installedDataFolder(programFolder().trimmed());
        CheckDataFolder(folderOk);
        installed = true;
        if (folderOk != 1)
            throw RunTimeError::inFile(programData + QStringLiteral("DATA.ASC"), 0,
                                       QStringLiteral("the question bank is missing: neither the program folder "
                                                      "%1 nor the installed data folder %2 holds DATA.ASC")
                                           .arg(programData, g.DataFolder));
    }
    // The progress stays beside the data where the player may write it (a portable copy);
    // an installed game keeps each player's progress in that player's own data folder.
    g.UserFile = (installed || !folderIsWritable(g.DataFolder) ? playerDataFolder() : g.DataFolder) + QStringLiteral("USER.ASC");
    if (const QString bank = playedBankFolder(); !bank.isEmpty()) {
        // Another bank plays from its own folder with the game's sounds where it has none; its
        // progress is its own, in the player's data folder.
        g.SoundFolder = g.DataFolder;
        g.DataFolder = bank;
        g.UserFile = bankProgressFile(playerDataFolder(), bank);
        if (!QDir().mkpath(QFileInfo(g.UserFile).absolutePath()))
            throw RunTimeError::inFile(g.UserFile, 0, QStringLiteral("cannot create the folder for the bank's progress"));
    }
    g.BankFile = g.DataFolder + QStringLiteral("DATA.ASC");
    g.PlainBankFile = g.DataFolder + QStringLiteral("DATANON.ASC");

    int16_t load = 1;
    ProgressFile(load);

    HasSoundCard(g.SoundCard);
    if (g.SoundCard == 0) {
        MsgBox(QStringLiteral("I could certainly be wrong, but it appears that this computer doesn't have a "
                              "sound card.\r\rTo answer some of the questions you'll need to be able to "
                              "hear some music clips."),
               vbCritical, QStringLiteral("No Sound Card"));
    }
    g.SoundOn = 1;
    if (g.SoundCard == 0)
        g.SoundOn = 0;
}

void Form1::useCapturedDesktop()
{
    // The capture is taken before the window shows, so it holds the desktop alone.
    const platform::Picture desktop = CaptureScreen();
    if (isUsableCapture(desktop)) {
        setPicture(desktop);
        return;
    }
    // Without a capture the intro plays over a plain dark background; where the desktop blends
    // windows that background is left clear, so the real desktop shows through it.
    setBackColor(DarkBackground);
    if (platform::desktopBlendsWindows())
        makeSeeThrough(DarkPixel);
}

void Form1::showOverScreen()
{
    const platform::ScreenInfo screen = platform::ScreenMetrics::current();
    // The size first: showing full screen alone leaves the old size where no window manager runs.
    Move(0, 0, float(screen.widthPixels * screen.twipsPerPixelX), float(screen.heightPixels * screen.twipsPerPixelY));
    setWindowModality(Qt::ApplicationModal);
    // The first pass hides the title before anything is drawn; hiding it now keeps it from
    // flashing at its design place when the window appears before it is activated.
    Pic1->extender().setVisible(false);
    if (isSeeThrough()) {
        // Compositors draw black behind a full-screen window, translucent or not; the frameless
        // window already the size of the screen is blended with the desktop.
        show();
    } else {
        showFullScreen();
    }
    raise();
    activateWindow();
    QTimer::singleShot(ActivationGraceMs, this, [this] {
        if (started_ == 0 && !unloadedOnce_)
            Form_Activate();
    });
}

bool Form1::event(QEvent* e)
{
    if (e->type() == QEvent::WindowActivate) {
        const bool handled = Surface::event(e);
        Form_Activate();
        return handled;
    }
    return Surface::event(e);
}

void Form1::Form_Activate()
{
    using namespace intro;
    if (started_ == 1)
        return;
    started_ = 1;
    GameState& g = game();
    platform::Surface& title = Pic1->extender();

    const double start = platform::Clock::now();
    PlayIfSoundOn("INTRO.WAV", PlayAndGoOn);

    // First pass: off the right edge, which hides the title and clears the window's drawing.
    {
        PathTable path = FirstPassPath(TwipsToPixelsX(Width()), TwipsToPixelsY(Height()));
        Pic1->Tanimate2(path.coords, path.points, FirstPassDelay, FirstPassMaxTime);
    }
    if (g.SkipIntro != 1) {
        const Position place = TitlePlacement(TwipsToPixelsX(Width()), title.Width(), title.Height());
        title.Move(float(place.left), float(place.top));

        const double dissolveStart = platform::Clock::now();
        Pic1->Dissolve2(DissolveType, DissolveSize, DissolveRate);
        const double wipeAllowance = WipeShare * (platform::Clock::now() - dissolveStart);

        // Busy on purpose: the double-click waits for the slide, which lets events run.
        const double pauseStart = platform::Clock::now();
        while (platform::Clock::now() - pauseStart < Pause) {
        }

        if (g.SkipIntro != 1) {
            PathTable slide = SlidePath(title.Left(), place.top, TwipsToPixelsY(Height()), title.Height());
            const float limit = SlideTimeLimit(platform::Clock::now() - start, wipeAllowance);
            Pic1->Tanimate2(slide.coords, slide.points, SlideDelay, limit);
            if (g.SkipIntro != 1) {
                int32_t rate = WipeRate;
                Pic1->Wipe(WipeDirection, rate);
            }
        }
    }
    SilenceIfSoundOn();
    Unload();
}

void Form1::Form_DblClick() { game().SkipIntro = 1; }

void Form1::Unload() { close(); }

void Form1::closeEvent(QCloseEvent* e)
{
    if (!unloadedOnce_) {
        unloadedOnce_ = true;
        Form_Unload();
        emit unloaded();
    }
    e->accept();
}

void Form1::Form_Unload() { theForm1 = nullptr; }

void Form1::showModally()
{
    QEventLoop loop;
    connect(this, &Form1::unloaded, &loop, &QEventLoop::quit);
    showOverScreen();
    if (!unloadedOnce_)
        loop.exec();
}

void ShowForm1Modally()
{
    auto form = std::make_unique<Form1>();
    form->Form_Load();
    form->showModally();
}
