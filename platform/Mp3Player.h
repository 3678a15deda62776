#pragma once
// The MP3 player control Mp3Play1 of the quiz window: five operations and one event.
// Playback runs inside the media framework; the end report reaches the quiz through the
// event loop, so the quiz sees it only while it lets events run.
#include <QObject>
#include <cstdint>
#include <memory>

class QAudioOutput;
class QMediaPlayer;

namespace platform {

class Mp3Player : public QObject {
    Q_OBJECT
public:
    explicit Mp3Player(QObject* parent = nullptr);
    ~Mp3Player() override;

    // 0 when the clip is loaded and ready to play; 1 for no such file (an empty name, a folder),
    // 2 for data that does not decode. The second argument is not used.
    int16_t OpenClip(const QString& path, const QString& unused);
    void PlayClip();           // starts playback of the open clip and returns at once
    int32_t ClipState() const; // nonzero while a clip plays
    void StopClip();           // stops playback; ThreadEnded follows
    void CloseClip();          // releases the clip

    // Test seam: with false, no control reports the end of playback (a control that never
    // answers), so the quiz's give-up wait can be exercised.
    static void setEndReportsEnabled(bool enabled);

signals:
    // Playback has ended: the clip ran out or was stopped. Always delivered queued.
    void ThreadEnded();

private:
    void playbackStateChanged(int state);
    void endPlayback();  // a clip that counts as playing has ended: the quiz is told
    void reportEnd();
    QMediaPlayer& player();  // made by the first clip that is opened

    std::unique_ptr<QAudioOutput> output_;
    std::unique_ptr<QMediaPlayer> player_;
    // From PlayClip until the clip has ended: a busy machine's framework may confirm playback a
    // moment after PlayClip returns, and the quiz asks at once.
    bool playing_ = false;
    // A clip that the framework ended before any of it played is played once more (see .cpp).
    bool replayed_ = false;
    bool replayPending_ = false;
};

} // namespace platform
