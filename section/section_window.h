#pragma once

#include "moment.h"
#include "section_geometry.h"
#include "section_inputs.h"

#include <QPointer>
#include <QWidget>

class QPagedPaintDevice;
class QPainter;
class QPlainTextEdit;
class QPushButton;
class TMainForm;

namespace section {

// What one drawing shows: the geometry and the eleven result texts of the same run.
struct Picture {
    SectionGeometry geometry;
    beam::MomentTexts texts;
};

// Paints the section and its four model columns into `target`, in the painter's units; the
// same for the screen, the printer, PDF, SVG and PNG. Text sizes follow the painter's font.
void paintSection(QPainter &painter, const QRectF &target, const Picture &picture);

// A sentence that says what the drawing shows, for screen readers.
QString describe(const Picture &picture);

// The drawing on screen: paints the picture it is given, and only when it changes.
class SectionDrawing : public QWidget
{
    Q_OBJECT

public:
    explicit SectionDrawing(QWidget *parent = nullptr);
    void setPicture(const Picture &picture);
    const Picture &picture() const { return m_picture; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Picture m_picture;
};

// The second view of the calculator: the section to scale, its four stress blocks side by
// side and the calculation step by step, following the main window within one tick of its
// results timer while it is shown, and costing nothing while it is hidden or minimised.
class SectionWindow : public QWidget
{
    Q_OBJECT

public:
    explicit SectionWindow(TMainForm *form);
    ~SectionWindow() override;

    // Writes the drawing as PDF (A4, with inputs, calculation, version and date), SVG or PNG,
    // by the suffix of `path`, through a temporary file that replaces `path` only when it is
    // whole. Returns an empty string, or a message in Dutch that says what went wrong.
    QString exportTo(const QString &path);

    // The texts shown now: the calculation, and the results as the main window shows them.
    QString calculationText() const;
    const beam::MomentTexts &resultTexts() const { return m_picture.texts; }

    // Reads the main window's section and redraws when something shown has changed.
    void refresh();

    void print();
    void saveAs();
    void copy();

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void follow(bool on);
    void paintDocument(QPainter &painter, QPagedPaintDevice &device) const;
    QImage image(QSize size) const;

    QPointer<TMainForm> m_form;
    // The same window as a plain object, for what may run while it is being destroyed, when
    // it is no longer a TMainForm.
    QPointer<QObject> m_watched;
    SectionDrawing *m_drawing = nullptr;
    QPlainTextEdit *m_text = nullptr;
    beam::SectionInputs m_inputs;
    bool m_current = false;
    bool m_following = false;
    QMetaObject::Connection m_follower;
    Picture m_picture;
    QString m_calculation;
};

// The main window's "Section" handler: creates the view the first time, shows and raises it.
void showSectionWindow(QWidget *owner);

} // namespace section
