#pragma once
// The real program on a display of its own: an Xvfb server on a free display
// number, the program started there from a private folder (its counter file
// and write test stay in it) with a private home and a PATH that holds no
// word processor, so that the report opens in the program's own document
// window. Mouse and keyboard go through XTEST (xdotool); texts come back
// through the clipboard (xclip), colours from screenshots (ImageMagick).
//
// Every wait is on a condition with a bounded timeout. Every process started
// here is killed when the object goes, and dies with the test process if
// that is killed first.

#include <QImage>
#include <QPoint>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRect>
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
    bool StartServer();
    // Starts the program and waits until its main window is mapped.
    bool StartProgram(Scheme scheme = Scheme::Default);
    const QString& Error() const { return error_; }

    // The visible top-level windows whose name matches `pattern` (a regular
    // expression), waited for up to `timeoutMs`.
    std::optional<XWindow> WaitForWindow(const QString& pattern, int timeoutMs = 15000);
    // Waits until no visible window's name matches `pattern`.
    bool WaitForNoWindow(const QString& pattern, int timeoutMs = 15000);
    const XWindow& Main() const { return main_; }

    // Input through XTEST. Points are relative to the main window's client
    // area unless given as desktop points.
    void Click(QPoint inMain);
    void ClickAt(QPoint onDesktop);
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

    // What the program wrote to its standard error so far.
    QString ProgramErrors();

private:
    struct Result {
        int exitCode = -1;
        QByteArray out;
    };
    Result Run(const QString& program, const QStringList& args, int timeoutMs = 15000);
    std::unique_ptr<QProcess> Spawn(const QString& program, const QStringList& args,
                                    const QProcessEnvironment& env,
                                    const QString& workingDirectory = {},
                                    const QString& outputFile = {}, const QString& errorFile = {});
    bool StartServerOnce();
    bool StartProgramOnce(Scheme scheme);
    // "running", or how the X server ended, for a failure's message.
    QString ServerState() const;
    std::vector<XWindow> VisibleWindows();
    QString ReadClipboard(const QString& target);
    // Makes a marker of our own the clipboard's content, so that a copy that
    // does not happen cannot be mistaken for one that did.
    bool MarkClipboard();

    QTemporaryDir dir_;
    QString display_;
    std::unique_ptr<QProcess> server_;
    std::unique_ptr<QProcess> program_;
    std::unique_ptr<QProcess> marker_;
    XWindow main_;
    QString error_;
    int markerCount_ = 0;
};

}  // namespace velars::test
