#include "ui/dialogs/picture_dialog.h"

#include <QGridLayout>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>

#include "ui/dialogs/file_dialogs.h"

namespace vellumar {

namespace {

constexpr int kPreviewSide = 200;

}  // namespace


PictureDialog::PictureDialog(QWidget* parent) : QFileDialog(parent)
{
    setObjectName(QStringLiteral("OPD"));
    // The toolkit's own dialog, so that the preview can sit beside the file list.
    setOption(QFileDialog::DontUseNativeDialog, true);
    setFileMode(QFileDialog::ExistingFile);
    setAcceptMode(QFileDialog::AcceptOpen);
    if (const FileDialogDefinition* definition = fileDialogDefinition("OPD"))
        setNameFilters(fileDialogFilters(*definition));

    m_preview = new QLabel(this);
    m_preview->setObjectName(QStringLiteral("Preview"));
    m_preview->setFixedSize(kPreviewSide, kPreviewSide);
    m_preview->setAlignment(Qt::AlignCenter);
    m_preview->setFrameShape(QFrame::StyledPanel);
    if (auto* grid = qobject_cast<QGridLayout*>(layout())) {
        grid->addWidget(m_preview, 1, grid->columnCount(), grid->rowCount() - 1, 1);
    }
    connect(this, &QFileDialog::currentChanged, this, &PictureDialog::showPreview);
    // A name typed into the file name box is previewed as well.
    if (auto* nameBox = findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) {
        connect(nameBox, &QLineEdit::textChanged, this, [this](const QString& name) {
            if (!name.isEmpty()) showPreview(directory().absoluteFilePath(name));
        });
    }
}

void PictureDialog::showPreview(const QString& path)
{
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QSize size = reader.size();
    if (size.isValid() && (size.width() > kPreviewSide || size.height() > kPreviewSide))
        reader.setScaledSize(size.scaled(kPreviewSide, kPreviewSide, Qt::KeepAspectRatio));
    const QImage picture = reader.read();
    if (picture.isNull()) {
        m_preview->clear();
        return;
    }
    m_preview->setPixmap(QPixmap::fromImage(picture));
}

QString askPictureFileName(QWidget* owner)
{
    PictureDialog dialog(owner);
    if (dialog.exec() != QDialog::Accepted) return {};
    return dialog.selectedFiles().value(0);
}

}  // namespace vellumar
