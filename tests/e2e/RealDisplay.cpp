#include "RealDisplay.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QThread>
#include <algorithm>
#include <csignal>
#include <sys/prctl.h>

namespace velars::test {

namespace {

// The program under test, built with the tests.
const QString kProgram = QStringLiteral(VELARS_TP_EXECUTABLE);

// A dark colour scheme as a desktop user sets it: the qt6ct platform theme
// with its "darker" colours and the Fusion style.
const char kDarkScheme[] =
    "[Appearance]\n"
    "color_scheme_path=/usr/share/qt6ct/colors/darker.conf\n"
    "custom_palette=true\n"
    "style=Fusion\n";

// The standard error of instance `number`.
QString LogName(int number) {
    return number == 0 ? QStringLiteral("program.log")
                       : QStringLiteral("program-%1.log").arg(number);
}

void Stop(std::unique_ptr<QProcess>& process) {
    if (!process) return;
    if (process->state() != QProcess::NotRunning) {
        // Asked first, so that an X server removes its socket files.
        process->terminate();
        if (!process->waitForFinished(2000)) {
            process->kill();
            process->waitForFinished(5000);
        }
    }
    process.reset();
}

// The last lines of a log file, for a failure's message.
QString Tail(const QString& path) {
    QFile log(path);
    if (!log.open(QIODevice::ReadOnly)) return QStringLiteral("(no log)");
    const QList<QByteArray> lines = log.readAll().trimmed().split('\n');
    return QString::fromLocal8Bit(lines.mid(std::max<qsizetype>(0, lines.size() - 10)).join('\n'));
}

}  // namespace

RealDisplay::RealDisplay() = default;

RealDisplay::~RealDisplay() {
    Stop(marker_);
    for (Instance& instance : instances_) Stop(instance.process);
    Stop(server_);
}

std::unique_ptr<QProcess> RealDisplay::Spawn(const QString& program, const QStringList& args,
                                             const QProcessEnvironment& env,
                                             const QString& workingDirectory,
                                             const QString& outputFile, const QString& errorFile) {
    auto process = std::make_unique<QProcess>();
    if (!workingDirectory.isEmpty()) process->setWorkingDirectory(workingDirectory);
    // Nothing reads the pipes of a long-lived process while the test waits:
    // its output goes to files, so that a full pipe never blocks it.
    if (!outputFile.isEmpty()) process->setStandardOutputFile(outputFile);
    process->setStandardErrorFile(errorFile.isEmpty() ? QProcess::nullDevice() : errorFile);
    process->setProgram(program);
    process->setArguments(args);
    process->setProcessEnvironment(env);
    // Whatever happens to the test, nothing it started outlives it.
    process->setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });
    process->start();
    return process;
}

RealDisplay::Result RealDisplay::Run(const QString& program, const QStringList& args,
                                     int timeoutMs) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), display_);
    std::unique_ptr<QProcess> process = Spawn(program, args, env);
    Result result;
    if (!process->waitForStarted(timeoutMs)) return result;
    if (!process->waitForFinished(timeoutMs)) {
        Stop(process);
        return result;
    }
    result.exitCode = process->exitStatus() == QProcess::NormalExit ? process->exitCode() : -1;
    result.out = process->readAllStandardOutput();
    return result;
}

bool RealDisplay::WaitFor(const std::function<bool()>& condition, int timeoutMs) {
    QElapsedTimer timer;
    timer.start();
    for (;;) {
        if (condition()) return true;
        if (timer.elapsed() > timeoutMs) return false;
        QThread::msleep(50);
    }
}

bool RealDisplay::StartServer(QSize screen) {
    if (!dir_.isValid()) {
        error_ = QStringLiteral("no temporary folder");
        return false;
    }
    screen_ = screen;
    // A server that reported its display but takes no client (seen once on a
    // loaded machine) is an accident of the machine, not of the program:
    // a new one is started, three times at most.
    for (int attempt = 1;; ++attempt) {
        if (StartServerOnce()) return true;
        if (attempt == 3) return false;
        Stop(server_);
    }
}

bool RealDisplay::StartServerOnce() {
    const QString log = QDir(dir_.path()).filePath(QStringLiteral("xvfb.log"));
    // Xvfb picks a free display number itself and writes it once it
    // accepts connections.
    server_ = Spawn(
        QStringLiteral("Xvfb"),
        {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
         QStringLiteral("0"), QStringLiteral("%1x%2x24").arg(screen_.width()).arg(screen_.height()),
         QStringLiteral("-nolisten"), QStringLiteral("tcp")},
        QProcessEnvironment::systemEnvironment(), {}, {}, log);
    if (!server_->waitForStarted(10000)) {
        error_ = QStringLiteral("Xvfb does not start: ") + server_->errorString();
        return false;
    }
    QByteArray out;
    const bool ready = WaitFor([&] {
        server_->waitForReadyRead(50);
        out += server_->readAllStandardOutput();
        return out.contains('\n') || server_->state() == QProcess::NotRunning;
    });
    bool ok = false;
    const int number = out.trimmed().toInt(&ok);
    if (!ready || !ok) {
        error_ = QStringLiteral("Xvfb gave no display number: ") + Tail(log);
        return false;
    }
    display_ = QStringLiteral(":%1").arg(number);
    if (!WaitFor(
            [&] {
                return Run(QStringLiteral("xwininfo"), {QStringLiteral("-root")}, 5000).exitCode ==
                       0;
            },
            10000)) {
        error_ = QStringLiteral("Xvfb on %1 takes no client (%2): ").arg(display_, ServerState()) +
                 Tail(log);
        return false;
    }
    return true;
}

QString RealDisplay::ServerState() const {
    if (!server_) return QStringLiteral("no server");
    if (server_->state() != QProcess::NotRunning) return QStringLiteral("running");
    return QStringLiteral("ended, status %1").arg(server_->exitCode());
}

bool RealDisplay::StartProgram(Scheme scheme) { return Launch(scheme, {}) >= 0; }

int RealDisplay::StartInstance(const QString& path) { return Launch(Scheme::Default, path); }

QString RealDisplay::ProgramFolder() const {
    return QDir(dir_.path()).filePath(QStringLiteral("program"));
}

QString RealDisplay::HomeFolder() const {
    return QDir(dir_.path()).filePath(QStringLiteral("home"));
}

int RealDisplay::Launch(Scheme scheme, const QString& path) {
    // The first program that the X server turned away at once (seen on
    // loaded machines, with a server that had just taken a client) is
    // started again: twice more on the same server, then once on a new one.
    // Every other failure is the program's.
    QString turnedAwayBefore;
    for (int attempt = 1;; ++attempt) {
        const int number = LaunchOnce(scheme, path);
        if (number >= 0) return number;
        const bool first = instances_.size() == 1;
        const bool turnedAway =
            first && instances_.front().process->state() == QProcess::NotRunning &&
            ProgramErrors(0).contains(QStringLiteral("could not connect to display"));
        if (!turnedAway) return -1;
        turnedAwayBefore += QStringLiteral("\nattempt %1 turned away by %2; X sockets: %3")
                                .arg(attempt)
                                .arg(display_, XSockets());
        if (attempt == 4) {
            error_ += turnedAwayBefore;
            return -1;
        }
        Stop(instances_.front().process);
        instances_.clear();
        if (attempt < 3) {
            WaitFor(
                [&] {
                    return Run(QStringLiteral("xwininfo"), {QStringLiteral("-root")}, 5000)
                               .exitCode == 0;
                },
                5000);
            continue;
        }
        Stop(server_);
        if (!StartServer(screen_)) {
            error_ += turnedAwayBefore + QStringLiteral("\nand a new server: ") + error_;
            return -1;
        }
    }
}

QString RealDisplay::XSockets() {
    // The listening X sockets of the machine, named and abstract, from the
    // kernel's own table: what a client of this display may have met.
    QFile table(QStringLiteral("/proc/net/unix"));
    if (!table.open(QIODevice::ReadOnly)) return QStringLiteral("(unreadable)");
    QStringList sockets;
    for (const QByteArray& line : table.readAll().split('\n'))
        if (line.contains("X11-unix")) sockets << QString::fromLatin1(line.split(' ').last());
    return sockets.join(QLatin1Char(' '));
}

int RealDisplay::LaunchOnce(Scheme scheme, const QString& path) {
    const QDir root(dir_.path());
    for (const char* folder : {"program", "home", "bin", "config/qt6ct", "runtime"})
        root.mkpath(QLatin1String(folder));
    QFile::setPermissions(root.filePath(QStringLiteral("runtime")),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QString program = root.filePath(QStringLiteral("program/velars-tp"));
    if (!QFile::exists(program) && !QFile::copy(kProgram, program)) {
        error_ = QStringLiteral("cannot copy ") + kProgram;
        return -1;
    }
    // A portable copy: the program's modules go beside it.
    const QDir built = QFileInfo(kProgram).dir();
    for (const QString& module : built.entryList({QStringLiteral("*.so")}, QDir::Files)) {
        const QString copy = root.filePath(QStringLiteral("program/") + module);
        if (!QFile::exists(copy) && !QFile::copy(built.filePath(module), copy)) {
            error_ = QStringLiteral("cannot copy ") + built.filePath(module);
            return -1;
        }
    }

    QProcessEnvironment env;
    env.insert(QStringLiteral("DISPLAY"), display_);
    env.insert(QStringLiteral("HOME"), root.filePath(QStringLiteral("home")));
    // By default no word processor on the PATH: the report goes to the
    // built-in window.
    env.insert(QStringLiteral("PATH"),
               path.isEmpty() ? root.filePath(QStringLiteral("bin")) : path);
    env.insert(QStringLiteral("LANG"), QStringLiteral("ru_RU.UTF-8"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), root.filePath(QStringLiteral("runtime")));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), root.filePath(QStringLiteral("config")));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.insert(QStringLiteral("NO_AT_BRIDGE"), QStringLiteral("1"));
    if (scheme == Scheme::Dark) {
        QFile conf(root.filePath(QStringLiteral("config/qt6ct/qt6ct.conf")));
        if (!conf.open(QIODevice::WriteOnly) || conf.write(kDarkScheme) < 0) {
            error_ = QStringLiteral("cannot write the colour scheme");
            return -1;
        }
        env.insert(QStringLiteral("QT_QPA_PLATFORMTHEME"), QStringLiteral("qt6ct"));
    }
    const int number = int(instances_.size());
    Instance instance;
    instance.process = Spawn(program, {}, env, root.filePath(QStringLiteral("home")),
                             QProcess::nullDevice(), root.filePath(LogName(number)));
    if (!instance.process->waitForStarted(10000)) {
        error_ = QStringLiteral("the program does not start: ") + instance.process->errorString();
        return -1;
    }
    instances_.push_back(std::move(instance));
    const QRegularExpression title(QStringLiteral("^Веларс-ТП\\. Оценка потерь\\.$"));
    bool mapped = false;
    WaitFor([&] {
        for (const XWindow& window : WindowsOf(number)) {
            if (title.match(window.name).hasMatch()) {
                instances_[std::size_t(number)].main = window;
                mapped = true;
                return true;
            }
        }
        // A program that has ended will show nothing.
        return instances_[std::size_t(number)].process->state() == QProcess::NotRunning;
    });
    if (!mapped) {
        error_ = QStringLiteral("the main window never appeared on %1 (its X server %2): ")
                     .arg(display_, ServerState()) +
                 ProgramErrors(number) + QStringLiteral("\nXvfb's log: ") +
                 Tail(QDir(dir_.path()).filePath(QStringLiteral("xvfb.log")));
        return -1;
    }
    return number;
}

std::vector<XWindow> RealDisplay::VisibleWindows() {
    return Windows({QStringLiteral("--name"), QStringLiteral(".")});
}

std::vector<XWindow> RealDisplay::WindowsOf(int instance) {
    const qint64 pid = instances_.at(std::size_t(instance)).process->processId();
    return Windows({QStringLiteral("--pid"), QString::number(pid)});
}

void RealDisplay::MoveMain(int instance, QPoint topLeft) {
    XWindow& main = instances_.at(std::size_t(instance)).main;
    Run(QStringLiteral("xdotool"), {QStringLiteral("windowmove"), main.id,
                                    QString::number(topLeft.x()), QString::number(topLeft.y())});
    WaitFor([&] {
        for (const XWindow& window : WindowsOf(instance)) {
            if (window.id == main.id && window.geometry.topLeft() == topLeft) {
                main = window;
                return true;
            }
        }
        return false;
    });
}

std::vector<XWindow> RealDisplay::Windows(const QStringList& search) {
    std::vector<XWindow> windows;
    const Result ids = Run(
        QStringLiteral("xdotool"),
        QStringList{QStringLiteral("search"), QStringLiteral("--onlyvisible")} + search);
    static const QRegularExpression geometry(
        QStringLiteral("Absolute upper-left X:\\s+(-?\\d+).*Absolute upper-left Y:\\s+(-?\\d+)"
                       ".*Width:\\s+(\\d+).*Height:\\s+(\\d+)"),
        QRegularExpression::DotMatchesEverythingOption);
    for (const QByteArray& line : ids.out.split('\n')) {
        const QString id = QString::fromLatin1(line.trimmed());
        if (id.isEmpty()) continue;
        const Result name = Run(QStringLiteral("xdotool"), {QStringLiteral("getwindowname"), id});
        const Result info = Run(QStringLiteral("xwininfo"), {QStringLiteral("-id"), id});
        const auto m = geometry.match(QString::fromUtf8(info.out));
        if (name.exitCode != 0 || !m.hasMatch()) continue;
        windows.push_back({id, QString::fromUtf8(name.out).trimmed(),
                           QRect(m.captured(1).toInt(), m.captured(2).toInt(),
                                 m.captured(3).toInt(), m.captured(4).toInt())});
    }
    return windows;
}

std::optional<XWindow> RealDisplay::WaitForWindow(const QString& pattern, int timeoutMs) {
    const QRegularExpression name(pattern);
    std::optional<XWindow> found;
    WaitFor(
        [&] {
            for (const XWindow& w : VisibleWindows()) {
                if (name.match(w.name).hasMatch()) {
                    found = w;
                    return true;
                }
            }
            return false;
        },
        timeoutMs);
    return found;
}

bool RealDisplay::WaitForNoWindow(const QString& pattern, int timeoutMs) {
    const QRegularExpression name(pattern);
    return WaitFor(
        [&] {
            for (const XWindow& w : VisibleWindows())
                if (name.match(w.name).hasMatch()) return false;
            return true;
        },
        timeoutMs);
}

void RealDisplay::Click(QPoint inMain) { ClickAt(Main().geometry.topLeft() + inMain); }

void RealDisplay::ClickAt(QPoint onDesktop) {
    Run(QStringLiteral("xdotool"),
        // No --sync: it waits for ever when the pointer is already there; the
        // server handles the move and the click in order anyway.
        {QStringLiteral("mousemove"), QString::number(onDesktop.x()),
         QString::number(onDesktop.y()), QStringLiteral("click"), QStringLiteral("1")});
}

std::vector<QString> RealDisplay::ClickEach(const std::vector<QPoint>& onDesktop) {
    QStringList args;
    // The window under the pointer is asked for at each point, between the
    // move and the click: a click another window takes is seen as such.
    for (const QPoint point : onDesktop)
        args << QStringLiteral("mousemove") << QString::number(point.x())
             << QString::number(point.y()) << QStringLiteral("getmouselocation")
             << QStringLiteral("click") << QStringLiteral("1");
    const Result clicked = Run(QStringLiteral("xdotool"), args);
    // One line for each point: "x:… y:… screen:… window:ID".
    static const QRegularExpression window(QStringLiteral("window:(\\d+)"));
    std::vector<QString> under;
    for (const QByteArray& line : clicked.out.split('\n')) {
        const QRegularExpressionMatch match = window.match(QString::fromLatin1(line));
        if (match.hasMatch()) under.push_back(match.captured(1));
    }
    under.resize(onDesktop.size());
    return under;
}

QString RealDisplay::WindowName(const QString& windowId) {
    const Result name = Run(QStringLiteral("xdotool"), {QStringLiteral("getwindowname"), windowId});
    return name.exitCode == 0 ? QString::fromUtf8(name.out).trimmed() : QString();
}

void RealDisplay::Raise(const QString& windowId) {
    Run(QStringLiteral("xdotool"), {QStringLiteral("windowraise"), windowId});
}

void RealDisplay::Type(const QString& text) {
    Run(QStringLiteral("xdotool"), {QStringLiteral("type"), QStringLiteral("--delay"),
                                    QStringLiteral("30"), QStringLiteral("--"), text});
}

void RealDisplay::Key(const QString& keys) {
    QStringList args = {QStringLiteral("key"), QStringLiteral("--delay"), QStringLiteral("30"),
                        QStringLiteral("--")};
    args += keys.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    Run(QStringLiteral("xdotool"), args);
}

QString RealDisplay::ReadClipboard(const QString& target) {
    const Result r = Run(QStringLiteral("xclip"),
                         {QStringLiteral("-o"), QStringLiteral("-selection"),
                          QStringLiteral("clipboard"), QStringLiteral("-t"), target},
                         5000);
    return r.exitCode == 0 ? QString::fromUtf8(r.out) : QString();
}

bool RealDisplay::MarkClipboard() {
    Stop(marker_);
    const QString marker = QStringLiteral("velars-e2e-marker-%1").arg(++markerCount_);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), display_);
    // In the foreground (-quiet), so that it stays a child of ours.
    marker_ = Spawn(QStringLiteral("xclip"),
                    {QStringLiteral("-quiet"), QStringLiteral("-selection"),
                     QStringLiteral("clipboard"), QStringLiteral("-i")},
                    env, {}, QProcess::nullDevice());
    if (!marker_->waitForStarted(5000)) return false;
    marker_->write(marker.toUtf8());
    marker_->waitForBytesWritten(5000);
    marker_->closeWriteChannel();
    return WaitFor([&] { return ReadClipboard(QStringLiteral("UTF8_STRING")) == marker; }, 10000);
}

QString RealDisplay::CopyFocused(const QString& target) {
    if (!MarkClipboard()) return QStringLiteral("<the clipboard cannot be marked>");
    const QString marker = ReadClipboard(QStringLiteral("UTF8_STRING"));
    Key(QStringLiteral("ctrl+a ctrl+c"));
    const bool copied = WaitFor(
        [&] { return ReadClipboard(QStringLiteral("UTF8_STRING")) != marker; }, 10000);
    const QString text = copied ? ReadClipboard(target) : QString();
    Stop(marker_);
    return text;
}

QString RealDisplay::CopyFrom(QPoint inMain, const QString& target) {
    Click(inMain);
    return CopyFocused(target);
}

QImage RealDisplay::Screenshot() {
    const Result r = Run(
        QStringLiteral("import"),
        {QStringLiteral("-window"), QStringLiteral("root"), QStringLiteral("png:-")});
    return QImage::fromData(r.out, "PNG");
}

QString RealDisplay::ProgramErrors(int instance) {
    QFile log(QDir(dir_.path()).filePath(LogName(instance)));
    return log.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(log.readAll()) : QString();
}

}  // namespace velars::test
