#include "platform/FileCopy.h"

#include "platform/ProgressWindow.h"

#include <QFile>

namespace platform {

namespace {

constexpr qint64 pieceSize = qint64(1) << 20;
constexpr int progressSteps = 1000; // the size in bytes may not fit the dialog's int

CopyOutcome copyPieces(QFile& source, QFile& target, QProgressDialog& progress)
{
    const qint64 total = source.size();
    qint64 done = 0;
    QByteArray piece;
    while (done < total) {
        piece = source.read(pieceSize);
        if (piece.isEmpty() || target.write(piece) != piece.size())
            return CopyOutcome::Failed;
        done += piece.size();
        // A modal progress window handles the pending events here.
        progress.setValue(int(done * progressSteps / total));
        if (progress.wasCanceled())
            return CopyOutcome::Stopped;
    }
    return target.flush() ? CopyOutcome::Copied : CopyOutcome::Failed;
}

} // namespace

CopyOutcome copyFileShowingProgress(QWidget* parent, const QString& from, const QString& to, const QString& text)
{
    QFile source(from);
    QFile target(to);
    if (!source.open(QIODevice::ReadOnly) || !target.open(QIODevice::NewOnly | QIODevice::WriteOnly))
        return CopyOutcome::Failed;

    ProgressWindow progress(parent, text, progressSteps);
    progress.setMinimumDuration(quietWaitMilliseconds);
    CopyOutcome outcome = copyPieces(source, target, progress);
    progress.hide();
    target.close();
    if (outcome == CopyOutcome::Copied && target.error() != QFileDevice::NoError)
        outcome = CopyOutcome::Failed;
    if (outcome != CopyOutcome::Copied)
        target.remove();
    return outcome;
}

} // namespace platform
