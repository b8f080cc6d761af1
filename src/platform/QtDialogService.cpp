#include "platform/QtDialogService.h"

#include "platform/EveryFileFilter.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>

namespace platform {

namespace {
QMessageBox::Icon toQt(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Information: return QMessageBox::Information;
    case MessageIcon::Warning: return QMessageBox::Warning;
    case MessageIcon::Error: return QMessageBox::Critical;
    case MessageIcon::Question: return QMessageBox::Question;
    case MessageIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons toQt(MessageButtons buttons)
{
    switch (buttons) {
    case MessageButtons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
    case MessageButtons::YesNo: return QMessageBox::Yes | QMessageBox::No;
    case MessageButtons::YesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case MessageButtons::Ok: break;
    }
    return QMessageBox::Ok;
}

Answer fromQt(int button)
{
    switch (button) {
    case QMessageBox::Ok: return Answer::Ok;
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    default: return Answer::Cancel;
    }
}

QString titleOf(const QString &title)
{
    return title.isEmpty() ? QApplication::applicationName() : title;
}

} // namespace

Answer QtDialogService::showMessage(const MessageRequest &request)
{
    QMessageBox box(toQt(request.icon), titleOf(request.title), request.text, toQt(request.buttons),
                    QApplication::activeWindow());
    return fromQt(box.exec());
}

QString QtDialogService::askOpenFileName(const FileRequest &request)
{
    QFileDialog dialog(QApplication::activeWindow(), request.title, request.directory, request.filter);
    dialog.setFileMode(QFileDialog::ExistingFile);
    matchEveryFileWithStarDotStar(dialog);
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}

QString QtDialogService::askSaveFileName(const FileRequest &request)
{
    QFileDialog dialog(QApplication::activeWindow(), request.title, request.directory, request.filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(request.defaultSuffix);
    matchEveryFileWithStarDotStar(dialog);
    if (!request.fileName.isEmpty())
        dialog.selectFile(request.fileName);
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}

std::optional<QColor> QtDialogService::askColor(const QColor &initial)
{
    const QColor chosen = QColorDialog::getColor(initial, QApplication::activeWindow());
    if (!chosen.isValid())
        return std::nullopt;
    return chosen;
}

} // namespace platform
