#pragma once

#include <QDataWidgetMapper>
#include <QLineEdit>
#include <QPointer>

// A single-line edit that shows and edits one field of the current record of a data source.
//
// The data source is a QDataWidgetMapper: its model and its current row are the data set and
// its current record. DataField names the field: in an SQL model the field's name in its
// record, in any other model the display text of a horizontal header section. The field is
// looked up when DataSource or DataField is written, so give the data source its model first.
//
// While linked (a data source with a model, and a field of that name in it) the data source
// fills the edit with the field's value at its current row, again whenever the row or the
// value changes, and takes the typed text back into the model by its submit policy (with the
// default AutoSubmit: when the edit is left or Enter is pressed; Escape brings the field's
// value back). Not linked, the edit is empty and takes no typing. Neither the data source nor
// its model is owned; when the data source is destroyed first, the edit is no longer linked.
// Pasted, dropped and input-method text is cut at its first line break and Alt with a
// character types nothing (single_line_input.h).
class TDBEdit : public QLineEdit
{
    Q_OBJECT
    Q_PROPERTY(QDataWidgetMapper* DataSource READ DataSource WRITE SetDataSource)
    Q_PROPERTY(QString DataField READ DataField WRITE SetDataField)
    Q_PROPERTY(bool ReadOnly READ ReadOnly WRITE SetReadOnly)

public:
    explicit TDBEdit(QWidget* parent = nullptr);
    ~TDBEdit() override;

    QDataWidgetMapper* DataSource() const { return source_; }
    void SetDataSource(QDataWidgetMapper* source);

    QString DataField() const { return field_; }
    void SetDataField(const QString& field);

    // The field's column in the data source's model while linked, -1 otherwise.
    int fieldColumn() const { return column_; }

    // No typing even while linked (default off). Independent of QLineEdit::isReadOnly(), which
    // the edit drives itself from this and the link.
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool on);

private:
    void link();
    void unlink();
    void updateReadOnly();
    int lookUpColumn() const;

    QPointer<QDataWidgetMapper> source_;
    QMetaObject::Connection sourceGone_;
    QString field_;
    int column_ = -1;
    bool readOnly_ = false;
};
