#include "platform/media/player.h"

#include "platform/media/qtplayer.h"
#include "platform/ui/controls.h"

namespace media {

namespace {

// Set while tests want simulated players.
bool& simulated()
{
    static bool on = false;
    return on;
}

} // namespace

Player* addPlayer(QWidget* parent, const QString& name, double left, double top, double width, double height)
{
    Player* player = simulated() ? static_cast<Player*>(new SimulatedPlayer(parent)) : new QtPlayer(parent);
    player->setObjectName(name);
    ui::placeTwips(player, left, top, width, height);
    player->show();
    return player;
}

SimulatedPlayers::SimulatedPlayers()
{
    simulated() = true;
}

SimulatedPlayers::~SimulatedPlayers()
{
    simulated() = false;
}

} // namespace media
