#include "platform/media/player.h"

#include <QEvent>

namespace media {

SimulatedPlayer::SimulatedPlayer(QWidget* parent) : Player(parent) {}

void SimulatedPlayer::setURL(const QString& url)
{
    url_ = url;
    playing_ = !url.isEmpty();
    history << QStringLiteral("URL ") + url;
}

void SimulatedPlayer::close()
{
    playing_ = false;
    history << QStringLiteral("close");
}

void SimulatedPlayer::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::EnabledChange)
        history << QStringLiteral("enabled %1").arg(isEnabled() ? 1 : 0);
    Player::changeEvent(event);
}

} // namespace media
