#pragma once
// The picture dialog of the images page ("OPD"): an open dialog for JPEG and PNG files with a
// preview of the chosen picture beside the file list.

#include <QFileDialog>

class QLabel;

namespace vellumar {

class PictureDialog : public QFileDialog {
    Q_OBJECT

public:
    explicit PictureDialog(QWidget* parent = nullptr);

    // Shows `path` in the preview, shrunk to fit; a file that is no picture clears it.
    void showPreview(const QString& path);
    QLabel* preview() const { return m_preview; }

private:
    QLabel* m_preview = nullptr;
};

// Asks for a picture with the picture dialog; the empty text when cancelled.
QString askPictureFileName(QWidget* owner);

}  // namespace vellumar
