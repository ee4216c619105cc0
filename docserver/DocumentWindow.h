#pragma once
// The window of one report document: the document as a page, a "Файл" menu to
// save it (ODT, PDF or DOCX), print it and close it, and a question before a
// document with unsaved changes is closed. A top-level window of its own that
// deletes itself when closed, so it outlives the calculator's window and the
// program ends only when the last such window is closed.

#include <QMainWindow>
#include <QString>

class QTextDocument;

namespace velars {

class PageView;
class PlatformServices;

class DocumentWindow : public QMainWindow {
    Q_OBJECT

public:
    // `number` names the new document ("Отчет 1").
    DocumentWindow(PlatformServices& platform, int number);
    ~DocumentWindow() override;

    QTextDocument* Document() const { return document_; }
    PageView* View() const { return view_; }

    // "Отчет N" until the document is saved as ODT, then the file's name.
    QString DocumentName() const;

    // Saves to the ODT file the document came from, or asks for a file.
    bool Save();
    // Asks for a file name and format (ODT, PDF or Word's DOCX) and writes
    // the document. Only an ODT save counts as saving the document's changes.
    bool SaveAs();
    // The print dialog, then the document on the chosen printer.
    void Print();

    enum class Format { Odt, Pdf, Docx };
    // Writes the document to `path` in `format` without asking or telling
    // anything; false when the file cannot be written. As with SaveAs, only
    // an ODT file counts as saving the document's changes.
    bool WriteFile(const QString& path, Format format);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // WriteFile, telling the user when the file cannot be written.
    bool WriteFileOrTell(const QString& path, Format format);
    void UpdateTitle();
    void BuildMenus();

    PlatformServices& platform_;
    int number_;
    QTextDocument* document_ = nullptr;
    PageView* view_ = nullptr;
    QString dialogFileName_;  // the save dialog's FileName: the last confirmed name
    QString odtPath_;         // where the document was last saved as ODT
};

}  // namespace velars
