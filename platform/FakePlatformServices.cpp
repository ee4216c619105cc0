#include "platform/FakePlatformServices.h"

#include <QDir>
#include <algorithm>

namespace velars {

namespace {

bool Listed(const std::vector<QString>& folders, const QString& folder) {
    const QString clean = QDir::cleanPath(folder);
    return std::any_of(folders.begin(), folders.end(),
                       [&](const QString& f) { return QDir::cleanPath(f) == clean; });
}

}  // namespace

bool FakePlatformServices::UserOwnsFolder(const QString& folder) {
    return !Listed(foreignFolders, folder);
}

bool FakePlatformServices::UserMayWriteFolder(const QString& folder) {
    return !Listed(readOnlyFolders, folder);
}

int FakePlatformServices::MessageBox(const QString& text, const QString& caption, unsigned style,
                                     BoxOwner owner) {
    messageBoxes.push_back(
        {FromNarrow(ToNarrow(text)), FromNarrow(ToNarrow(caption)), style, owner});
    if (onMessageBox) onMessageBox();
    if (messageBoxAnswers.empty()) return IDOK;
    const int answer = messageBoxAnswers.front();
    messageBoxAnswers.pop_front();
    return answer;
}

bool FakePlatformServices::ExecuteSaveDialog(QString& fileName, const QString& filter,
                                             QString* selectedFilter) {
    saveDialogs.push_back({fileName, filter});
    if (saveDialogAnswers.empty()) return false;
    const SaveDialogAnswer answer = saveDialogAnswers.front();
    saveDialogAnswers.pop_front();
    if (!answer.confirm) return false;
    fileName = answer.fileName;
    if (selectedFilter) {
        *selectedFilter = !answer.selectedFilter.isEmpty()
                              ? answer.selectedFilter
                              : filter.section(QStringLiteral(";;"), 0, 0);
    }
    return true;
}

QByteArray FakePlatformServices::ToNarrow(const QString& text) {
    if (!narrowRepertoire) return text.toUtf8();
    QString mapped;
    mapped.reserve(text.size());
    for (const char32_t c : text.toUcs4()) {
        const QString one = QString::fromUcs4(&c, 1);
        mapped += narrowRepertoire->contains(one) ? one : QStringLiteral("?");
    }
    return mapped.toUtf8();
}

QString FakePlatformServices::FromNarrow(const QByteArray& text) { return QString::fromUtf8(text); }

QString FakePlatformServices::Cp1251Repertoire() {
    QString chars;
    for (char16_t c = 0x01; c < 0x80; ++c) chars += QChar(c);
    for (char16_t c = 0x0401; c <= 0x045F; ++c) {
        if (c != 0x040D && c != 0x0450 && c != 0x045D)  // letters the code page lacks
            chars += QChar(c);
    }
    chars += QChar(0x0490);  // Ґ
    chars += QChar(0x0491);  // ґ
    static const char16_t upperHalf[] = {
        0x00A0, 0x00A4, 0x00A6, 0x00A7, 0x00A9, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x00B0, 0x00B1,
        0x00B5, 0x00B6, 0x00B7, 0x00BB, 0x2013, 0x2014, 0x2018, 0x2019, 0x201A, 0x201C, 0x201D,
        0x201E, 0x2020, 0x2021, 0x2022, 0x2026, 0x2030, 0x2039, 0x203A, 0x20AC, 0x2116, 0x2122};
    for (const char16_t c : upperHalf) chars += QChar(c);
    return chars;
}

QFunctionPointer FakePlatformServices::LoadModule(const QString& name, const char*,
                                                  QString& missing) {
    modulesLoaded.push_back(name);
    const auto found = modules.find(name);
    if (found != modules.end()) return found->second;
    missing = moduleMissing;
    return nullptr;
}

}  // namespace velars
