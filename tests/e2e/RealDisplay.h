#pragma once
// The real program on a display of its own: an Xvfb server on a free display
// number, the program started there from a private folder (its counter file
// and write test stay in it) with a private home and, unless a test gives
// another, a PATH that holds no word processor, so that the report opens in
// the program's own document window. Several instances may run from the one
// folder, as a user starts a portable copy twice. Mouse and keyboard go
// through XTEST (xdotool); texts come back through the clipboard (xclip),
// colours from screenshots (ImageMagick).
//
// Every wait is on a condition with a bounded timeout. Every process started
// here is killed when the object goes, and dies with the test process if
// that is killed first.

#include <QImage>
#include <QPoint>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace velars::test {

// A top-level window on the display.
struct XWindow {
    QString id;
    QString name;
    QRect geometry;  // desktop coordinates of the client area
};

class RealDisplay {
public:
    enum class Scheme { Default, Dark };

    RealDisplay();
    ~RealDisplay();
    RealDisplay(const RealDisplay&) = delete;
    RealDisplay& operator=(const RealDisplay&) = delete;

    // Starts the server; false, with the reason in Error(), when it cannot.
    bool StartServer(QSize screen = QSize(1280, 1024));
    // Starts the program and waits until its main window is mapped.
    bool StartProgram(Scheme scheme = Scheme::Default);
    // Starts one more instance from the same folder with `path` as its PATH
    // (empty: a folder with no word processor) and waits until its main
    // window is mapped; its number (the first is 0), or -1 with Error() set.
    int StartInstance(const QString& path = {});
    const QString& Error() const { return error_; }

    // The display's name (":N"), and the folder the program runs from.
    const QString& Display() const { return display_; }
    QString ProgramFolder() const;
    // The private home of the instances.
    QString HomeFolder() const;

    // The visible top-level windows whose name matches `pattern` (a regular
    // expression), waited for up to `timeoutMs`.
    std::optional<XWindow> WaitForWindow(const QString& pattern, int timeoutMs = 15000);
    // Waits until no visible window's name matches `pattern`.
    bool WaitForNoWindow(const QString& pattern, int timeoutMs = 15000);
    // The name of a window, "" when it has none or is gone.
    QString WindowName(const QString& windowId);
    const XWindow& Main(int instance = 0) const { return instances_.at(instance).main; }
    // The visible top-level windows of an instance (its main window too).
    std::vector<XWindow> WindowsOf(int instance);
    // Moves an instance's main window (there is no window manager).
    void MoveMain(int instance, QPoint topLeft);

    // Input through XTEST. Points are relative to the main window's client
    // area unless given as desktop points.
    void Click(QPoint inMain);
    void ClickAt(QPoint onDesktop);
    // Clicks at each point in turn, in one go (as quickly as XTEST allows);
    // the id of the top-level window the pointer was over at each click
    // ("" when it could not be told).
    std::vector<QString> ClickEach(const std::vector<QPoint>& onDesktop);
    // Raises a window over the others (there is no window manager).
    void Raise(const QString& windowId);
    void Type(const QString& text);
    void Key(const QString& keys);  // xdotool key names: "Tab", "ctrl+a", "F9"

    // Clicks into a text control, selects all and copies it; the text the
    // clipboard then holds ("" when nothing was copied).
    QString CopyFrom(QPoint inMain, const QString& target = QStringLiteral("UTF8_STRING"));
    // Selects all in the focused control, copies, and returns the clipboard
    // in `target` format after the copy.
    QString CopyFocused(const QString& target = QStringLiteral("UTF8_STRING"));

    // The whole screen as it is now.
    QImage Screenshot();

    // Polls `condition` every 50 ms until it holds or `timeoutMs` passes.
    static bool WaitFor(const std::function<bool()>& condition, int timeoutMs = 15000);

    // What an instance wrote to its standard error so far.
    QString ProgramErrors(int instance = 0);
    // The machine's listening X sockets, for a failure's message.
    static QString XSockets();

private:
    struct Result {
        int exitCode = -1;
        QByteArray out;
    };
    Result Run(const QString& program, const QStringList& args, int timeoutMs = 15000);
    int Launch(Scheme scheme, const QString& path);
    std::unique_ptr<QProcess> Spawn(const QString& program, const QStringList& args,
                                    const QProcessEnvironment& env,
                                    const QString& workingDirectory = {},
                                    const QString& outputFile = {}, const QString& errorFile = {});
    bool StartServerOnce();
    int LaunchOnce(Scheme scheme, const QString& path);
    // "running", or how the X server ended, for a failure's message.
    QString ServerState() const;
    std::vector<XWindow> VisibleWindows();
    std::vector<XWindow> Windows(const QStringList& search);
    QString ReadClipboard(const QString& target);
    // Makes a marker of our own the clipboard's content, so that a copy that
    // does not happen cannot be mistaken for one that did.
    bool MarkClipboard();

    QTemporaryDir dir_;
    QString display_;
    struct Instance {
        std::unique_ptr<QProcess> process;
        XWindow main;
    };
    std::unique_ptr<QProcess> server_;
    QSize screen_;  // of the server, kept for a new one
    std::vector<Instance> instances_;
    std::unique_ptr<QProcess> marker_;
    QString error_;
    int markerCount_ = 0;
};

}  // namespace velars::test
