#pragma once

#include <QHash>
#include <QIcon>
#include <QPixmap>
#include <QString>

// The report tree view's images: the four built-in ones (compiled from XPM
// data, looked up by name through the pixmap centre so that an installed
// image file of the same name takes precedence) and node icons loaded from
// image files.
//
// An instance caches what it has looked up, so one fill of the tree view
// asks the pixmap centre once per image name instead of once per item.
class QAReporterImages
{
public:
    enum Image { Reporter, TestOk, TestsFailed, TestUnknow };

    // The lookup name of an image, e.g. "testok_xpm".
    static QString name(Image image);
    // Its compiled-in XPM data.
    static const char *const *xpm(Image image);
    // The image from the pixmap centre.
    static QPixmap pixmap(Image image);
    // The image of a verdict: "ok", "ko" or "NE"; TestUnknow for any other.
    static Image verdictImage(const QString &state);

    QAReporterImages();
    ~QAReporterImages();

    const QIcon &icon(Image image);
    // The verdict image of `image` with a rerun badge in its lower right
    // corner: amber for a case that passed on a rerun (Flaky), dark red for
    // one that failed on its reruns (QAReporterNode::Rerun values).
    const QIcon &rerunIcon(Image image, int rerun);
    // The icon for a node's "icone" file: the image the pixmap centre finds
    // under that file name, else the "testunknow_xpm" image.
    QIcon fileIcon(const QString &fileName);

private:
    QIcon m_icons[4];
    bool m_loaded[4] = {false, false, false, false};
    QHash<QString, QIcon> m_files;
    QHash<int, QIcon> m_reruns; // image * 4 + rerun -> badged icon
};
