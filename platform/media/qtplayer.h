#pragma once
// The player over Qt Multimedia: an audio player with the full control bar
// (play, pause, stop, position, volume).
#include "platform/media/player.h"

class QAudioOutput;
class QLabel;
class QMediaPlayer;
class QSlider;
class QToolButton;

namespace media {

class QtPlayer : public Player {
    Q_OBJECT
public:
    explicit QtPlayer(QWidget* parent);
    ~QtPlayer() override;
    QString URL() const override { return url_; }
    void setURL(const QString& url) override;
    void close() override;

private:
    void showPosition();

    QString url_;
    QMediaPlayer* player_;
    QAudioOutput* output_;
    QToolButton* play_;
    QToolButton* pause_;
    QToolButton* stop_;
    QSlider* position_;
    QSlider* volume_;
    QLabel* time_;
};

} // namespace media
