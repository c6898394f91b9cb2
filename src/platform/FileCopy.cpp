#include "platform/FileCopy.h"

#include <QFile>
#include <QProgressDialog>

namespace platform {

namespace {

constexpr qint64 pieceSize = qint64(1) << 20;
constexpr int progressSteps = 1000; // the size in bytes may not fit the dialog's int
// Copies shorter than this finish before anything is shown.
constexpr int quietWaitMilliseconds = 400;

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

    QProgressDialog progress(text, QObject::tr("&Stop"), 0, progressSteps, parent);
    progress.setWindowTitle(QStringLiteral("Mapwright"));
    progress.setWindowModality(Qt::ApplicationModal);
    progress.setMinimumDuration(quietWaitMilliseconds);
    progress.setAutoClose(false);
    progress.setAutoReset(false);
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
