// The file panel: the kind tabs, the mask box, the parent-folder button,
// the file list and the items of its pop-up menu.
#include "app/Unit1.h"

#include "app/WorkFolders.h"
#include "dictionaries/DictionaryPane.h"
#include "files/FileDrops.h"
#include "files/FileListBox.h"
#include "files/FolderListing.h"
#include "files/OpenRoute.h"
#include "platform/CommandGuard.h"
#include "platform/FileNames.h"
#include "platform/NameCase.h"
#include "platform/NativeNames.h"
#include "platform/Services.h"
#include "questions/DoubleClickRelay.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>

FileListBox* TForm1::fileList() const { return static_cast<FileListBox*>(JvFileListBox1); }

void TForm1::connectFilePanel()
{
    const auto guarded = [this](void (TForm1::*handler)()) {
        return [this, handler] { platform::runGuarded([this, handler] { (this->*handler)(); }); };
    };
    connect(TabSet1, &QTabBar::currentChanged, this,
            [this](int index) { platform::runGuarded([this, index] { TabSet1Change(index); }); });
    connect(TabSet2, &QTabBar::currentChanged, this,
            [this](int index) { platform::runGuarded([this, index] { TabSet2Change(index); }); });
    connect(Edit_MASK, &QLineEdit::textChanged, this, guarded(&TForm1::Edit_MASKChange));
    connect(new DoubleClickRelay(Edit_MASK), &DoubleClickRelay::doubleClicked, this, guarded(&TForm1::Edit_MASKDblClick));
    connect(Button1, &QToolButton::clicked, this, guarded(&TForm1::Button1Click));
    connect(fileList(), &FileListBox::picked, this, guarded(&TForm1::JvFileListBox1Click));
    connect(fileList(), &QListWidget::doubleClicked, this, guarded(&TForm1::JvFileListBox1DblClick));

    setAcceptDrops(true);
    new FileDropPassThrough(this);
}

void TForm1::RefreshFileList() { fileList()->refresh(); }

void TForm1::SelectFileKindTab(int index) { TabSet1->setCurrentIndex(index); }

QString TForm1::FileListFolder() const { return fileList()->folder(); }

QString TForm1::currentEntryPath() const
{
    const int row = fileList()->currentEntry();
    return row < 0 ? QString() : fileList()->pathAt(row);
}

QString TForm1::currentEntryFile() const
{
    const int row = fileList()->currentEntry();
    return row < 0 || fileList()->isFolderAt(row) ? QString() : fileList()->pathAt(row);
}

void TForm1::applyFileMask() { fileList()->setMask(polyx::BuildMask(Edit_MASK->text(), ListExt)); }

void TForm1::TabSet1Change(int index)
{
    ListExt = TabSet1->tabText(index);
    TabSet2->setVisible(index == 0);
    applyFileMask();
}

void TForm1::TabSet2Change(int index) { selectPageQuietly(PageControl_DICOS, index); }

void TForm1::Edit_MASKChange() { applyFileMask(); }

void TForm1::Edit_MASKDblClick()
{
    switch (PageControl_DICOS->currentIndex()) {
    case polyx::ExternalPage:
        Edit_MASK->setText(ValueListEditor_EXT->PageLabel());
        break;
    case polyx::InternalPage:
        Edit_MASK->setText(ValueListEditor_INT->PageLabel());
        break;
    case polyx::FusionPage:
        Edit_MASK->setText("PLX");
        break;
    default:
        break;
    }
}

void TForm1::Button1Click() { fileList()->setFolder(FileListFolder() + "/.."); }

void TForm1::JvFileListBox1Click() { OpenFileByKind(currentEntryFile()); }

void TForm1::JvFileListBox1DblClick()
{
    const int row = fileList()->currentEntry();
    if (row < 0)
        return;
    if (fileList()->isFolderAt(row))
        fileList()->setFolder(fileList()->pathAt(row));
    else
        platform::desktop().openInTextEditor(fileList()->pathAt(row));
}

void TForm1::Chargerledictionnaire1Click() { OpenFileByKind(currentEntryFile()); }

void TForm1::mnu_FICHIER_ReadClick()
{
    const QString path = currentEntryPath();
    if (!path.isEmpty())
        platform::desktop().openInTextEditor(path);
}

// A name that is not UTF-8 is renamed by its bytes: that is what the user
// is told to do to open it.
void TForm1::Renommer1Click()
{
    const int row = fileList()->currentEntry();
    if (row < 0)
        return;
    const QByteArray nativeName = fileList()->nativeNameAt(row);
    const QString path = nativeName.isEmpty() ? fileList()->pathAt(row)
                                              : QDir(FileListFolder()).filePath(platform::ShownName(nativeName));
    const auto name = platform::dialogs().input("Renommer le Fichier", "Nouveau Nom", FileLabel(path));
    if (!name)
        return;
    const QString newPath = QDir(FileListFolder()).filePath(*name + platform::ExtensionOf(path));
    // Another file whose name differs only in capitals would become a twin
    // the program could no longer tell from this one; the file's own name
    // in other capitals is no other file (and no path reaches a name that
    // is not UTF-8: any file found is another one).
    const QString existing = platform::ResolveNameCase(newPath);
    const bool taken = QFileInfo::exists(existing)
                       && (!nativeName.isEmpty()
                           || QFileInfo(existing).canonicalFilePath() != QFileInfo(path).canonicalFilePath());
    const bool validName = !name->isEmpty() && !name->contains(u'/');
    const auto rename = [&] {
        if (!nativeName.isEmpty())
            return platform::RenameNative(FileListFolder(), nativeName, QFile::encodeName(platform::FileNameOf(newPath)));
        return newPath == path || QFile::rename(path, newPath);
    };
    if (validName && !taken && rename())
        RefreshFileList();
    else
        platform::dialogs().message(platform::BoxKind::Plain, "Erreur Ligne 1187 : Renommer le Fichier\r\n" + path
                                                                  + "\r\n" + "NewN=" + newPath);
}

void TForm1::Supprimer1Click()
{
    const QString path = currentEntryPath();
    if (path.isEmpty())
        return;
    platform::desktop().moveToTrash(path);
    RefreshFileList();
}

void TForm1::Explorer1Click() { platform::desktop().openFolder(FileListFolder()); }
