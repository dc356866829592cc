#pragma once

#include <QByteArray>
#include <ctime>

// Runs the rest of a test in another time zone, as a person who travelled or whose desktop
// was set to one, and puts the zone the test started in back afterwards.
class ZoneScope {
public:
    explicit ZoneScope(const QByteArray &zone)
        : before_(qgetenv("TZ")), had_(qEnvironmentVariableIsSet("TZ")) {
        qputenv("TZ", zone);
        tzset();
    }
    ~ZoneScope() {
        if (had_)
            qputenv("TZ", before_);
        else
            qunsetenv("TZ");
        tzset();
    }
    ZoneScope(const ZoneScope &) = delete;
    ZoneScope &operator=(const ZoneScope &) = delete;

private:
    QByteArray before_;
    bool had_;
};
