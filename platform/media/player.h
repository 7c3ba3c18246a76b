#pragma once
// The media player control a window plays a recording in: the file to play
// (URL), enabled, and close (stop and let go of the file). Set up as the
// call-record window wants it: automatic start (playing begins the moment a
// file is given), volume 50 and the full control bar. The real player plays
// through Qt Multimedia; tests install simulated players that record what
// they were told.
#include <QString>
#include <QStringList>
#include <QWidget>
#include <functional>

namespace media {

class Player : public QWidget {
    Q_OBJECT
public:
    explicit Player(QWidget* parent) : QWidget(parent) {}

    virtual QString URL() const = 0;
    // A file path; with automatic start on, playing begins at once. An empty
    // text stops and clears.
    virtual void setURL(const QString& url) = 0;
    // Stops playing and releases the file; the player stays usable.
    virtual void close() = 0;
    // enabled / setEnabled are the widget's own.

    bool autoStart() const { return true; }
    int volume() const { return 50; }
    QString uiMode() const { return QStringLiteral("full"); }
};

// Makes a player on `parent` with its name, placed in twips.
Player* addPlayer(QWidget* parent, const QString& name, double left, double top, double width, double height);

// A player that plays nothing and records what it was told, in order:
// "URL <path>", "close", "enabled 0|1".
class SimulatedPlayer : public Player {
    Q_OBJECT
public:
    explicit SimulatedPlayer(QWidget* parent);
    QString URL() const override { return url_; }
    void setURL(const QString& url) override;
    void close() override;
    bool playing() const { return playing_; }
    QStringList history;

protected:
    void changeEvent(QEvent* event) override;

private:
    QString url_;
    bool playing_ = false;
};

// While it lives, addPlayer makes simulated players (tests).
class SimulatedPlayers {
public:
    SimulatedPlayers();
    ~SimulatedPlayers();
};

} // namespace media
