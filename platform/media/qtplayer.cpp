#include "platform/media/qtplayer.h"

#include "platform/ui/controls.h"

#include <QAudioOutput>
#include <QHBoxLayout>
#include <QLabel>
#include <QMediaPlayer>
#include <QSlider>
#include <QStyle>
#include <QToolButton>
#include <QUrl>

namespace media {

namespace {

QString clockText(qint64 milliseconds)
{
    const qint64 seconds = milliseconds / 1000;
    return QStringLiteral("%1:%2").arg(seconds / 60, 2, 10, QLatin1Char('0')).arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

QToolButton* controlButton(QWidget* parent, QStyle::StandardPixmap icon, const QString& tip)
{
    auto* button = new QToolButton(parent);
    button->setIcon(parent->style()->standardIcon(icon));
    button->setToolTip(tip);
    button->setAutoRaise(true);
    return button;
}

} // namespace

QtPlayer::QtPlayer(QWidget* parent)
    : Player(parent),
      player_(new QMediaPlayer(this)),
      output_(new QAudioOutput(this)),
      play_(controlButton(this, QStyle::SP_MediaPlay, QStringLiteral("播放"))),
      pause_(controlButton(this, QStyle::SP_MediaPause, QStringLiteral("暂停"))),
      stop_(controlButton(this, QStyle::SP_MediaStop, QStringLiteral("停止"))),
      position_(new QSlider(Qt::Horizontal, this)),
      volume_(new QSlider(Qt::Horizontal, this)),
      time_(new QLabel(clockText(0), this))
{
    output_->setVolume(volume() / 100.0);
    player_->setAudioOutput(output_);
    volume_->setRange(0, 100);
    volume_->setValue(volume());
    volume_->setMaximumWidth(60);
    volume_->setToolTip(QStringLiteral("音量"));

    auto* bar = new QHBoxLayout(this);
    bar->setContentsMargins(2, 2, 2, 2);
    bar->setSpacing(2);
    for (QWidget* control : {static_cast<QWidget*>(play_), static_cast<QWidget*>(pause_),
                             static_cast<QWidget*>(stop_), static_cast<QWidget*>(position_),
                             static_cast<QWidget*>(time_), static_cast<QWidget*>(volume_)})
        bar->addWidget(control);
    bar->setStretchFactor(position_, 1);

    connect(play_, &QToolButton::clicked, player_, &QMediaPlayer::play);
    connect(pause_, &QToolButton::clicked, player_, &QMediaPlayer::pause);
    connect(stop_, &QToolButton::clicked, player_, &QMediaPlayer::stop);
    connect(volume_, &QSlider::valueChanged, this, [this](int value) { output_->setVolume(value / 100.0); });
    connect(position_, &QSlider::sliderMoved, player_, [this](int value) { player_->setPosition(value); });
    connect(player_, &QMediaPlayer::durationChanged, this, [this](qint64 duration) {
        position_->setRange(0, static_cast<int>(duration));
    });
    connect(player_, &QMediaPlayer::positionChanged, this, [this] { showPosition(); });
}

QtPlayer::~QtPlayer()
{
    player_->stop();
}

void QtPlayer::setURL(const QString& url)
{
    url_ = url;
    player_->stop();
    player_->setSource(url.isEmpty() ? QUrl() : QUrl::fromLocalFile(url));
    if (!url.isEmpty()) player_->play();
}

void QtPlayer::close()
{
    player_->stop();
    player_->setSource(QUrl());
    showPosition();
}

void QtPlayer::showPosition()
{
    if (!position_->isSliderDown()) position_->setValue(static_cast<int>(player_->position()));
    time_->setText(clockText(player_->position()));
}

} // namespace media
