#include "docserver/SelectionObjects.h"

#include <QTextBlock>
#include <QTextDocument>
#include <vector>

#include "automation/ArgumentConversion.h"
#include "automation/ServerErrors.h"
#include "docserver/AlignmentArgument.h"
#include "docserver/DocumentState.h"
#include "docserver/DocumentWindow.h"
#include "docserver/PageView.h"
#include "docserver/ParagraphEditing.h"

namespace velars {
namespace {

constexpr std::int32_t kUndefined = 9999999;
constexpr double kMaxLineSpacing = 1584;

QTextCursor Selection(const DocumentState& document) {
    return document.Window()->View()->TextCursor();
}

std::vector<QTextBlock> SelectedBlocks(const DocumentState& document) {
    const QTextCursor cursor = Selection(document);
    QTextDocument* text = document.Document();
    std::vector<QTextBlock> blocks;
    const QTextBlock last = text->findBlock(cursor.selectionEnd());
    for (QTextBlock block = text->findBlock(cursor.selectionStart()); block.isValid();
         block = block.next()) {
        blocks.push_back(block);
        if (block == last) break;
    }
    return blocks;
}

}  // namespace

SelectionObject::SelectionObject(std::shared_ptr<DocumentState> document)
    : document_(std::move(document)) {
    AddProperty(QStringLiteral("Text"), [this](const MemberCall&, Variant& result) {
        QString text = Selection(*document_).selectedText();
        text.replace(QChar::ParagraphSeparator, QLatin1Char('\r'));
        text.replace(QChar::LineSeparator, QLatin1Char('\v'));
        result = Variant::FromBstr(text);
        return S_OK;
    });
    AddProperty(QStringLiteral("ParagraphFormat"), [this](const MemberCall&, Variant& result) {
        result = Variant::FromDispatch(std::make_shared<ParagraphFormatObject>(document_));
        return S_OK;
    });
}

HRESULT SelectionObject::CheckConnected() const {
    return document_->IsOpen() ? S_OK : RPC_E_DISCONNECTED;
}

ParagraphFormatObject::ParagraphFormatObject(std::shared_ptr<DocumentState> document)
    : document_(std::move(document)) {
    AddProperty(
        QStringLiteral("LineSpacing"),
        [this](const MemberCall&, Variant& result) {
            const auto blocks = SelectedBlocks(*document_);
            const double points = LineSpacingPoints(blocks.front().blockFormat());
            for (const QTextBlock& block : blocks) {
                if (LineSpacingPoints(block.blockFormat()) != points) {
                    result = Variant::FromI4(kUndefined);
                    return S_OK;
                }
            }
            result = Variant::FromR8(points);
            return S_OK;
        },
        [this](const MemberCall& call, const Variant& value) {
            const std::optional<double> points = NumberArgument(value);
            if (!points) return call.TypeMismatch(0);
            if (*points <= 0 || *points > kMaxLineSpacing) return RaiseOutOfRange(call);
            for (const QTextBlock& block : SelectedBlocks(*document_))
                SetLineSpacing(block, *points);
            document_->Document()->setModified(true);
            return S_OK;
        });
    AddProperty(
        QStringLiteral("Alignment"),
        [this](const MemberCall&, Variant& result) {
            const auto blocks = SelectedBlocks(*document_);
            const int code = AlignmentCode(blocks.front().blockFormat().alignment());
            for (const QTextBlock& block : blocks) {
                if (AlignmentCode(block.blockFormat().alignment()) != code) {
                    result = Variant::FromI4(kUndefined);
                    return S_OK;
                }
            }
            result = Variant::FromI4(code);
            return S_OK;
        },
        [this](const MemberCall& call, const Variant& value) {
            Qt::Alignment alignment;
            if (const HRESULT hr = AlignmentArgument(call, value, alignment); FAILED(hr)) return hr;
            for (const QTextBlock& block : SelectedBlocks(*document_))
                SetAlignment(block, alignment);
            document_->Document()->setModified(true);
            return S_OK;
        });
}

HRESULT ParagraphFormatObject::CheckConnected() const {
    return document_->IsOpen() ? S_OK : RPC_E_DISCONNECTED;
}

}  // namespace velars
