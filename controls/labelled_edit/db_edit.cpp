#include "controls/labelled_edit/db_edit.h"

#include "controls/input/single_line_input.h"

#include <QAbstractItemDelegate>
#include <QAbstractItemModel>
#include <QSqlQueryModel>
#include <QSqlRecord>

TDBEdit::TDBEdit(QWidget* parent) : QLineEdit(parent)
{
    new SingleLineInput(this);
    updateReadOnly();
}

TDBEdit::~TDBEdit()
{
    unlink();
}

void TDBEdit::SetDataSource(QDataWidgetMapper* source)
{
    unlink();
    source_ = source;
    link();
}

void TDBEdit::SetDataField(const QString& field)
{
    unlink();
    field_ = field;
    link();
}

void TDBEdit::SetReadOnly(bool on)
{
    readOnly_ = on;
    updateReadOnly();
}

void TDBEdit::link()
{
    if (source_) {
        sourceGone_ = connect(source_, &QObject::destroyed, this, [this] {
            column_ = -1;
            clear();
            updateReadOnly();
        });
        column_ = lookUpColumn();
        if (column_ >= 0) {
            source_->addMapping(this, column_);
            // The data source fills a new mapping only at its next row change.
            const QAbstractItemModel* model = source_->model();
            const QModelIndex field =
                model->index(source_->currentIndex(), column_, source_->rootIndex());
            if (field.isValid())
                source_->itemDelegate()->setEditorData(this, field);
            else
                clear();
        }
    }
    if (column_ < 0)
        clear();
    updateReadOnly();
}

void TDBEdit::unlink()
{
    disconnect(sourceGone_);
    if (source_ && column_ >= 0)
        source_->removeMapping(this);
    column_ = -1;
}

void TDBEdit::updateReadOnly()
{
    setReadOnly(readOnly_ || column_ < 0);
}

int TDBEdit::lookUpColumn() const
{
    const QAbstractItemModel* model = source_ ? source_->model() : nullptr;
    if (!model || field_.isEmpty())
        return -1;
    if (const auto* sql = qobject_cast<const QSqlQueryModel*>(model))
        return sql->record().indexOf(field_);
    for (int column = 0; column < model->columnCount(); ++column)
        if (model->headerData(column, Qt::Horizontal).toString() == field_)
            return column;
    return -1;
}
