#include "docserver/DocumentWindow.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QMenu>
#include <QMenuBar>
#include <QPrintDialog>
#include <QPrinter>
#include <QTextDocument>
#include <QToolBar>

#include "automation/ServerName.h"
#include "docserver/DocumentExport.h"
#include "docserver/DocxExport.h"
#include "docserver/PageView.h"
#include "platform/PlatformServices.h"

namespace velars {
namespace {

const QString kOdtFilter = QStringLiteral("Документ ODF (*.odt)");
const QString kPdfFilter = QStringLiteral("Документ PDF (*.pdf)");
const QString kDocxFilter = QStringLiteral("Документ Word (*.docx)");

}  // namespace

DocumentWindow::DocumentWindow(PlatformServices& platform, int number)
    : platform_(platform), number_(number) {
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("DocumentWindow"));

    document_ = new QTextDocument(this);
    QFont font(QStringLiteral("Times New Roman"));
    font.setStyleHint(QFont::Serif);
    font.setPointSize(12);
    document_->setDefaultFont(font);

    view_ = new PageView(document_, this);
    setCentralWidget(view_);
    BuildMenus();
    resize(800, 900);

    connect(document_, &QTextDocument::modificationChanged, this, &QWidget::setWindowModified);
    UpdateTitle();
}

DocumentWindow::~DocumentWindow() {
    // The editor refers to the document: it goes first.
    delete view_;
}

QString DocumentWindow::DocumentName() const {
    if (!odtPath_.isEmpty()) return QFileInfo(odtPath_).fileName();
    return QStringLiteral("Отчет %1").arg(number_);
}

void DocumentWindow::BuildMenus() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("&Файл"));
    QAction* save = file->addAction(QStringLiteral("&Сохранить"), this, [this] { Save(); });
    save->setShortcut(QKeySequence::Save);
    save->setObjectName(QStringLiteral("saveAction"));
    QAction* saveAs = file->addAction(QStringLiteral("Сохранить &как…"), this,
                                      [this] { SaveAs(); });
    saveAs->setObjectName(QStringLiteral("saveAsAction"));
    file->addSeparator();
    QAction* print = file->addAction(QStringLiteral("&Печать…"), this, [this] { Print(); });
    print->setShortcut(QKeySequence::Print);
    print->setObjectName(QStringLiteral("printAction"));
    file->addSeparator();
    QAction* close = file->addAction(QStringLiteral("&Закрыть"), this, &QWidget::close);
    close->setShortcut(QKeySequence::Close);
    close->setObjectName(QStringLiteral("closeAction"));

    QMenu* view = menuBar()->addMenu(QStringLiteral("&Вид"));
    QAction* zoomIn = view->addAction(QStringLiteral("&Увеличить"), this,
                                      [this] { view_->SetZoomPercent(view_->ZoomPercent() + 10); });
    zoomIn->setShortcut(QKeySequence::ZoomIn);
    QAction* zoomOut = view->addAction(QStringLiteral("У&меньшить"), this, [this] {
        view_->SetZoomPercent(view_->ZoomPercent() - 10);
    });
    zoomOut->setShortcut(QKeySequence::ZoomOut);
    view->addAction(QStringLiteral("&Масштаб 100%"), this, [this] { view_->SetZoomPercent(100); });

    QToolBar* tools = addToolBar(QStringLiteral("Файл"));
    tools->setMovable(false);
    tools->addAction(save);
    tools->addAction(saveAs);
    tools->addAction(print);
}

void DocumentWindow::UpdateTitle() {
    setWindowTitle(DocumentName() + QStringLiteral("[*] — ") + ServerName());
    setWindowModified(document_->isModified());
}

bool DocumentWindow::Save() {
    if (odtPath_.isEmpty()) return SaveAs();
    return WriteFileOrTell(odtPath_, Format::Odt);
}

bool DocumentWindow::SaveAs() {
    // A document never saved is offered in the user's Documents folder.
    QString name = dialogFileName_;
    if (name.isEmpty()) {
        const QString folder = platform_.DocumentsFolder();
        name = folder.isEmpty() ? DocumentName() : QDir(folder).filePath(DocumentName());
    }
    QString selectedFilter;
    if (!platform_.ExecuteSaveDialog(
            name,
            kOdtFilter + QStringLiteral(";;") + kPdfFilter + QStringLiteral(";;") + kDocxFilter,
            &selectedFilter))
        return false;
    dialogFileName_ = name;

    // The file's extension decides the format; a name without a known one
    // gets the extension of the chosen filter.
    const QString suffix = QFileInfo(name).suffix().toLower();
    Format format;
    QString path = name;
    if (suffix == QLatin1String("pdf")) {
        format = Format::Pdf;
    } else if (suffix == QLatin1String("docx")) {
        format = Format::Docx;
    } else if (suffix == QLatin1String("odt")) {
        format = Format::Odt;
    } else if (selectedFilter == kPdfFilter) {
        format = Format::Pdf;
        path += QStringLiteral(".pdf");
    } else if (selectedFilter == kDocxFilter) {
        format = Format::Docx;
        path += QStringLiteral(".docx");
    } else {
        format = Format::Odt;
        path += QStringLiteral(".odt");
    }
    return WriteFileOrTell(path, format);
}

bool DocumentWindow::WriteFile(const QString& path, Format format) {
    const bool written = format == Format::Pdf    ? WritePdf(*document_, path)
                         : format == Format::Docx ? WriteDocx(*document_, path)
                                                  : WriteOdt(*document_, path);
    if (!written) return false;
    if (format == Format::Odt) {
        odtPath_ = path;
        document_->setModified(false);
        UpdateTitle();
    }
    return true;
}

bool DocumentWindow::WriteFileOrTell(const QString& path, Format format) {
    if (WriteFile(path, format)) return true;
    platform_.MessageBox(
        QStringLiteral("Не удалось сохранить файл «%1».").arg(QDir::toNativeSeparators(path)),
        ServerName(), MB_OK | MB_ICONERROR, BoxOwner::None);
    return false;
}

void DocumentWindow::Print() {
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle(QStringLiteral("Печать"));
    if (dialog.exec() == QDialog::Accepted) document_->print(&printer);
}

void DocumentWindow::closeEvent(QCloseEvent* event) {
    if (!document_->isModified()) {
        event->accept();
        return;
    }
    const int answer = platform_.MessageBox(
        QStringLiteral("Сохранить изменения в документе «%1»?").arg(DocumentName()), ServerName(),
        MB_YESNOCANCEL | MB_ICONQUESTION, BoxOwner::None);
    if (answer == IDNO || (answer == IDYES && Save()))
        event->accept();
    else
        event->ignore();
}

}  // namespace velars
