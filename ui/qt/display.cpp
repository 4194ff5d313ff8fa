// Tells "no display" from the environment, or from Qt's own failure to start
// its platform plugin, in one line on stderr.
#include "display.h"

#include <QByteArray>
#include <QList>
#include <QMutex>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>

namespace ui
{

namespace
{

// Whether the socket a Wayland client would connect to exists. A compositor
// that hands its clients a connected socket (WAYLAND_SOCKET) counts too.
bool waylandSocketExists()
{
    if (!qgetenv("WAYLAND_SOCKET").isEmpty())
        return true;
    QByteArray name = qgetenv("WAYLAND_DISPLAY");
    if (name.isEmpty())
        name = "wayland-0";
    if (!name.startsWith('/')) {
        const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
        if (runtime.isEmpty())
            return false;
        name = runtime + '/' + name;
    }
    struct stat info;
    return stat(name.constData(), &info) == 0 && S_ISSOCK(info.st_mode);
}

// What stands in the way of the platform plugin: "DISPLAY is not set",
// "the X display :7 cannot be reached", "no Wayland compositor was found".
QString reasonFor(const QString &plugin)
{
    if (plugin == QLatin1String("xcb")) {
        const QByteArray display = qgetenv("DISPLAY");
        if (display.isEmpty())
            return QStringLiteral("DISPLAY is not set");
        return QStringLiteral("the X display %1 cannot be reached")
            .arg(QString::fromLocal8Bit(display));
    }
    if (plugin.startsWith(QLatin1String("wayland"))) {
        if (!waylandSocketExists())
            return QStringLiteral("no Wayland compositor was found");
        return QStringLiteral("the Wayland compositor cannot be reached");
    }
    return QStringLiteral("the platform plugin \"%1\" could not start").arg(plugin);
}

[[noreturn]] void cannotOpenDisplay(const QStringList &reasons)
{
    std::fprintf(stderr, "quarvel: cannot open a display: %s\n",
                 qPrintable(reasons.join(QLatin1String(" and "))));
    std::fflush(stderr);
    // From inside Qt's fatal-error path: no destructor of a half-made
    // application may run.
    std::_Exit(1);
}

// Qt's messages while the application is made, kept until it is clear
// whether the window system started: then they go on as they came, or give
// way to the one line.
struct Held {
    QtMsgType type;
    const char *file, *function, *category; // string literals in Qt
    int line;
    QString text;
};

QMutex heldLock;
QList<Held> held;
QtMessageHandler previous = nullptr; // Qt's handler, or the one installed before

void hold(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    const QMutexLocker lock(&heldLock);
    if (type == QtFatalMsg && text.contains(QLatin1String("platform plugin"))) {
        // Each plugin Qt tried and gave up on left a warning naming it.
        static const QRegularExpression failed(
            QStringLiteral("Could not (load|find) the Qt platform plugin \"([^\"]+)\""));
        QStringList reasons;
        for (const Held &message : held) {
            const QRegularExpressionMatch match = failed.match(message.text);
            if (!match.hasMatch())
                continue;
            const QString reason =
                match.captured(1) == QLatin1String("find")
                    ? QStringLiteral("Qt's \"%1\" platform plugin is not installed")
                          .arg(match.captured(2))
                    : reasonFor(match.captured(2));
            if (!reasons.contains(reason))
                reasons << reason;
        }
        if (reasons.isEmpty())
            reasons << QStringLiteral("no platform plugin could start");
        cannotOpenDisplay(reasons);
    }
    held.append({type, context.file, context.function, context.category, context.line, text});
    if (type == QtFatalMsg) {
        for (const Held &message : std::as_const(held))
            previous(
                message.type,
                QMessageLogContext(message.file, message.line, message.function, message.category),
                message.text);
    }
}

} // namespace

DisplayGuard::DisplayGuard(int argc, char **argv)
{
    // Where the window system is chosen by name, Qt is left to try it.
    bool chosen = !qgetenv("QT_QPA_PLATFORM").isEmpty();
    for (int i = 1; i < argc && !chosen; ++i)
        chosen = std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0;
    if (!chosen && qgetenv("DISPLAY").isEmpty() && !waylandSocketExists())
        cannotOpenDisplay({reasonFor(QStringLiteral("xcb")), reasonFor(QStringLiteral("wayland"))});
    previous = qInstallMessageHandler(hold);
}

DisplayGuard::~DisplayGuard()
{
    qInstallMessageHandler(previous);
    const QMutexLocker lock(&heldLock);
    for (const Held &message : std::as_const(held))
        previous(message.type,
                 QMessageLogContext(message.file, message.line, message.function, message.category),
                 message.text);
    held.clear();
}

} // namespace ui
