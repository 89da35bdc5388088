// Image files: "Сохранить как..." and "Открыть...", and the real dialogs.
#include "app/Unit1.h"

#include "app/ErrorBox.h"
#include "image/Backups.h"
#include "image/DialogFolder.h"
#include "image/ImageCheck.h"
#include "image/ImageFile.h"
#include "image/ReadMark.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

// ---- QtFileDialogs ----

QtFileDialogs::QtFileDialogs(QWidget *parent) : parent_(parent) {}

namespace {

QString RunFileDialog(QWidget *parent, QFileDialog::AcceptMode mode, const QString &startFolder,
                      const QString &filterCaption, const QString &defaultSuffix)
{
    QFileDialog dialog(parent);
    // Qt's own dialog on every platform: it is the one whose listing we can set.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::DontConfirmOverwrite); // the program asks itself
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptSave ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setDirectory(startFolder);
    dialog.setNameFilter(filterCaption);
    // An image caption says "*.*", but here that pattern would hide files
    // without a dot, and images of model 0 have no extension: list every file.
    // Other captions (text) list what they name.
    if (filterCaption.contains(QLatin1String("*.*")))
        if (auto *model = dialog.findChild<QFileSystemModel *>())
            model->setNameFilters({QStringLiteral("*")});
    dialog.setDefaultSuffix(defaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

} // namespace

QString QtFileDialogs::SaveFileName(const QString &startFolder, const QString &filterCaption,
                                    const QString &defaultSuffix)
{
    return RunFileDialog(parent_, QFileDialog::AcceptSave, startFolder, filterCaption, defaultSuffix);
}

QString QtFileDialogs::OpenFileName(const QString &startFolder, const QString &filterCaption)
{
    return RunFileDialog(parent_, QFileDialog::AcceptOpen, startFolder, filterCaption, QString());
}

bool QtFileDialogs::ConfirmOverwrite(const QString &question)
{
    QMessageBox box(QMessageBox::Question, QStringLiteral("Confirm"), question, QMessageBox::NoButton, parent_);
    QPushButton *yes = box.addButton(QStringLiteral("&Yes"), QMessageBox::YesRole);
    QPushButton *no = box.addButton(QStringLiteral("&No"), QMessageBox::NoRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes;
}

void QtFileDialogs::Information(const QString &text)
{
    QMessageBox box(QMessageBox::Information, QStringLiteral("Information"), text, QMessageBox::NoButton, parent_);
    box.setDefaultButton(box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole));
    box.exec();
}

void QtFileDialogs::Error(const QString &text)
{
    ShowErrorBox(text);
}

FileDialogs::SaveChoice QtFileDialogs::AskSaveChanges(const QString &question)
{
    QMessageBox box(QMessageBox::Warning, QApplication::applicationName(), question, QMessageBox::NoButton, parent_);
    QPushButton *save = box.addButton(QCoreApplication::translate("Quillon", "Сохранить"), QMessageBox::AcceptRole);
    QPushButton *discard =
        box.addButton(QCoreApplication::translate("Quillon", "Не сохранять"), QMessageBox::DestructiveRole);
    QPushButton *cancel = box.addButton(QCoreApplication::translate("Quillon", "Отмена"), QMessageBox::RejectRole);
    box.setDefaultButton(save);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == save)
        return SaveChoice::Save;
    return box.clickedButton() == discard ? SaveChoice::Discard : SaveChoice::Cancel;
}

// ---- the actions ----

void TForm1::SaveFileExecute()
{
    FileDialogs &dialogs = *Dialogs;
    const QString chosen = dialogs.SaveFileName(
        DialogStartFolder(), QCoreApplication::translate("Quillon", ImageFilterCaption), DefaultSuffix(Doc.Model()));
    if (chosen.isEmpty())
        return;
    RememberDialogFile(chosen);
    const QFileInfo file(chosen);
    // A folder of that name is not a file to overwrite; the save then fails on it.
    if (file.exists() && !file.isDir() && !dialogs.ConfirmOverwrite(OverwriteQuestion(QDir::toNativeSeparators(file.absoluteFilePath()))))
        return;
    const IoError err = SaveImageFile(chosen, EncodeImageFile(Doc.Image(), Doc.Model(), Doc.Comment()));
    if (err)
        dialogs.Error(err.Text());
    else
        Doc.MarkSafe();
}

void TForm1::LoadFileExecute()
{
    LoadFileFrom(DialogStartFolder());
}

void TForm1::LoadFileFrom(const QString &folder)
{
    FileDialogs &dialogs = *Dialogs;
    const QString chosen = dialogs.OpenFileName(folder, QCoreApplication::translate("Quillon", ImageFilterCaption));
    if (!chosen.isEmpty()) {
        RememberDialogFile(chosen);
        if (!LoadFilePath(chosen))
            return; // a failed load leaves every view as it was
    }
    TabSheet7Show();
}

bool TForm1::LoadFilePath(const QString &path)
{
    // All or nothing: a file that fails to load changes neither the image,
    // the model, the comment nor any view.
    const LoadResult loaded = LoadImageFile(path, Edit1->maxLength());
    if (loaded.error) {
        Dialogs->Error(loaded.error.Text());
        return false;
    }
    ImageState after = Doc.State();
    after.image = loaded.data.image;
    // A file saved from a block or word read names the words it holds.
    const std::optional<ReadRange> mark = FindReadRangeMark(loaded.data.comment);
    after.coverage = mark ? ImageCoverage::Only(*mark) : ImageCoverage::Whole();
    if (loaded.data.model)
        after.model = *loaded.data.model;
    after.comment = loaded.data.comment;
    Doc.Apply(QCoreApplication::translate("Quillon", "Открыть ") + QFileInfo(path).fileName(), after);
    RefreshBufExecute();
    Doc.MarkSafe(); // the file holds it
    return true;
}

QString TForm1::ChooseImageInBackups(ImageFileData *file, ImageFileCheck *check)
{
    FileDialogs &dialogs = *Dialogs;
    const QString chosen =
        dialogs.OpenFileName(Backups::Folder(), QCoreApplication::translate("Quillon", ImageFilterCaption));
    if (chosen.isEmpty())
        return QString();
    QByteArray bytes;
    IoError error = ReadImageFileBytes(chosen, &bytes, Edit1->maxLength());
    std::optional<ImageFileData> data = error ? std::nullopt : DecodeImageFile(bytes);
    if (!error && !data)
        error = IoError{IoError::ReadBeyondEnd, 0};
    if (error) {
        dialogs.Error(error.Text());
        return QString();
    }
    *file = std::move(*data);
    if (check)
        *check = CheckImageFile(bytes);
    return chosen;
}

void TForm1::CompareWithFileExecute()
{
    // Where the reads of the telephones are kept: the usual thing to compare with.
    ImageFileData file;
    const QString chosen = ChooseImageInBackups(&file);
    if (chosen.isEmpty())
        return;
    const FileComparison c = CompareFile(QFileInfo(chosen).fileName(), file, Buf, Doc.Model(), Doc.Comment());
    MarkCells(c.marks);
    ShowPanel1(c.panel, c.tip);
}
