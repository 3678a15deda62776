#include "platform/Mp3Player.h"

#include "platform/MediaBackend.h"

#include <QAudioOutput>
#include <QEventLoop>
#include <QFileInfo>
#include <QMediaPlayer>
#include <QTimer>
#include <QUrl>

namespace platform {

namespace {

bool endReportsEnabled = true;

// A clip that has not loaded by then counts as undecodable (a stalled file system).
constexpr int LoadLimitMs = 5000;

constexpr int16_t ClipMissing = 1;
constexpr int16_t ClipUndecodable = 2;

} // namespace

Mp3Player::Mp3Player(QObject* parent)
    : QObject(parent)
{
}

QMediaPlayer& Mp3Player::player()
{
    // The media framework is brought up by the first clip, not with the window: most of a game
    // never plays one, and loading it costs the start of the program time and memory.
    if (!player_) {
        chooseMediaBackend();
        output_ = std::make_unique<QAudioOutput>();
        player_ = std::make_unique<QMediaPlayer>();
        player_->setAudioOutput(output_.get());
        connect(player_.get(), &QMediaPlayer::playbackStateChanged, this,
                [this](QMediaPlayer::PlaybackState state) { playbackStateChanged(state); });
    }
    return *player_;
}

Mp3Player::~Mp3Player()
{
    // The player goes before the output it plays into.
    player_.reset();
}

int16_t Mp3Player::OpenClip(const QString& path, const QString& /*unused*/)
{
    // Loading again from scratch: the same name twice would otherwise keep the old, ended state.
    CloseClip();
    if (!QFileInfo(path).isFile())
        return ClipMissing;
    player().setSource(QUrl::fromLocalFile(path));

    // The framework decides on its own threads and reports through the event loop. The wait
    // lets only those reports in, never the player's clicks or keys.
    auto settled = [this] { return player_->mediaStatus() != QMediaPlayer::LoadingMedia; };
    if (!settled()) {
        QEventLoop loop;
        QTimer limit;
        limit.setSingleShot(true);
        connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);
        connect(player_.get(), &QMediaPlayer::mediaStatusChanged, &loop, [&] {
            if (settled())
                loop.quit();
        });
        limit.start(LoadLimitMs);
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    if (player_->mediaStatus() != QMediaPlayer::LoadedMedia || player_->error() != QMediaPlayer::NoError) {
        player_->setSource(QUrl());
        return ClipUndecodable;
    }
    return 0;
}

void Mp3Player::PlayClip()
{
    if (!player_ || player_->mediaStatus() == QMediaPlayer::NoMedia)
        return;
    playing_ = true;
    replayed_ = false;
    replayPending_ = false;
    player_->play();
}

int32_t Mp3Player::ClipState() const { return playing_ ? 1 : 0; }

void Mp3Player::StopClip()
{
    if (!player_)
        return;
    // Ended here, so that the framework's own stop report is not taken for the clip's end.
    endPlayback();
    player_->stop();
}

void Mp3Player::CloseClip()
{
    if (!player_)
        return;
    endPlayback();
    player_->setSource(QUrl());
}

void Mp3Player::setEndReportsEnabled(bool enabled) { endReportsEnabled = enabled; }

void Mp3Player::playbackStateChanged(int state)
{
    if (state == QMediaPlayer::PlayingState || !playing_)
        return;
    // Qt 6.4's GStreamer player sometimes ends a freshly loaded clip at once, at position 0: when
    // its decoder is quicker than the player's own loading, the player seeks before the clip's
    // length is known and so sets the clip's end at its start (seen on a busy machine, up to one
    // clip in four). Played again, the player seeks anew with the length known. Once only, so
    // that a clip that really holds nothing still ends. Queued: the player must not be started
    // from inside its own report; the game lets events run while a clip plays, so the replay
    // follows within milliseconds.
    if (!replayed_ && player_->position() == 0) {
        replayed_ = true;
        replayPending_ = true;
        QMetaObject::invokeMethod(this, [this] {
            if (replayPending_) {
                replayPending_ = false;
                player_->play();
            }
        }, Qt::QueuedConnection);
        return;
    }
    endPlayback();
}

void Mp3Player::endPlayback()
{
    replayPending_ = false;
    if (!playing_)
        return;
    playing_ = false;
    reportEnd();
}

void Mp3Player::reportEnd()
{
    // The report is posted, never emitted from inside StopClip or the framework's report:
    // the quiz handles it like any other event, when it next lets events run.
    if (endReportsEnabled)
        QMetaObject::invokeMethod(this, &Mp3Player::ThreadEnded, Qt::QueuedConnection);
}

} // namespace platform
