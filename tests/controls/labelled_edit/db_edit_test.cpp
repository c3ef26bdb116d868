// The data-aware edit against a real SQLite database in memory, and as the labelled member.
#include "tests/controls/labelled_edit/family_support.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlTableModel>
#include <QStandardItemModel>
#include <gtest/gtest.h>

#include <memory>

namespace
{

// A stock table of two goods in a private in-memory database, and a model over it that writes
// each changed field at once.
class StockTable
{
public:
    StockTable()
    {
        db_ = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection_);
        db_.setDatabaseName(QStringLiteral(":memory:"));
        if (!db_.open())
            throw std::runtime_error(db_.lastError().text().toStdString());
        QSqlQuery q(db_);
        q.exec(QStringLiteral("create table towary (id integer primary key, nazwa text)"));
        q.exec(QStringLiteral("insert into towary values (1, 'Młotek'), (2, 'Piła')"));
        model = std::make_unique<QSqlTableModel>(nullptr, db_);
        model->setTable(QStringLiteral("towary"));
        model->setEditStrategy(QSqlTableModel::OnFieldChange);
        model->select();
    }
    ~StockTable()
    {
        model.reset();
        db_.close();
        db_ = QSqlDatabase();
        QSqlDatabase::removeDatabase(connection_);
    }

    QString stored(int id) const
    {
        QSqlQuery q(db_);
        q.prepare(QStringLiteral("select nazwa from towary where id = ?"));
        q.addBindValue(id);
        q.exec();
        return q.next() ? q.value(0).toString() : QString();
    }

    std::unique_ptr<QSqlTableModel> model;

private:
    const QString connection_ = QStringLiteral("labelled_edit_tests");
    QSqlDatabase db_;
};

class DataAwareEdit : public ::testing::Test
{
protected:
    DataAwareEdit()
    {
        source->setModel(table.model.get());
        source->toFirst();
        w.edit->SetDataSource(source.get());
        w.edit->SetDataField(QStringLiteral("nazwa"));
    }

    StockTable table;
    std::unique_ptr<QDataWidgetMapper> source = std::make_unique<QDataWidgetMapper>();
    FamilyWindow<TMorvaDBEdit> w;
};

TEST_F(DataAwareEdit, ShowsTheFieldOfTheCurrentRecord)
{
    EXPECT_EQ(w.edit->text(), QStringLiteral("Młotek"));
    source->toNext();
    EXPECT_EQ(w.edit->text(), QStringLiteral("Piła"));
}

TEST_F(DataAwareEdit, WritesTheTypedTextToTheDatabaseWhenLeft)
{
    pressTab(w.other);
    QTest::keyClick(w.edit, Qt::Key_End);
    QTest::keyClicks(w.edit, QStringLiteral(" duzy"));
    EXPECT_EQ(table.stored(1), QStringLiteral("Młotek")) << "nothing before leaving";
    pressTab(w.edit);
    EXPECT_EQ(table.stored(1), QStringLiteral("Młotek duzy"));
    EXPECT_EQ(table.stored(2), QStringLiteral("Piła"));
}

TEST_F(DataAwareEdit, EscapeBringsTheFieldsValueBack)
{
    pressTab(w.other);
    QTest::keyClicks(w.edit, QStringLiteral("Obcegi"));
    QTest::keyClick(w.edit, Qt::Key_Escape);
    EXPECT_EQ(w.edit->text(), QStringLiteral("Młotek"));
    pressTab(w.edit);
    EXPECT_EQ(table.stored(1), QStringLiteral("Młotek"));
}

TEST_F(DataAwareEdit, AFieldThatIsNotThereLeavesItEmptyAndUntypable)
{
    w.edit->SetDataField(QStringLiteral("cena"));
    EXPECT_EQ(w.edit->fieldColumn(), -1);
    EXPECT_EQ(w.edit->text(), QString());
    pressTab(w.other);
    QTest::keyClicks(w.edit, QStringLiteral("abc"));
    EXPECT_EQ(w.edit->text(), QString());

    w.edit->SetDataField(QStringLiteral("nazwa"));
    EXPECT_EQ(w.edit->text(), QStringLiteral("Młotek"));
}

TEST_F(DataAwareEdit, ADataSourceDestroyedFirstUnlinksIt)
{
    source.reset();
    EXPECT_EQ(w.edit->DataSource(), nullptr);
    EXPECT_EQ(w.edit->fieldColumn(), -1);
    EXPECT_EQ(w.edit->text(), QString());
    EXPECT_TRUE(w.edit->isReadOnly());
    w.edit->SetDataField(QStringLiteral("id"));
    EXPECT_EQ(w.edit->fieldColumn(), -1);
}

TEST(DataAwareEditOverAnyModel, FindsTheFieldByItsHeader)
{
    QStandardItemModel model(1, 2);
    model.setHorizontalHeaderLabels({QStringLiteral("id"), QStringLiteral("nazwa")});
    model.setItem(0, 1, new QStandardItem(QStringLiteral("Młotek")));
    QDataWidgetMapper source;
    source.setModel(&model);
    source.toFirst();
    TDBEdit edit;
    edit.SetDataSource(&source);
    edit.SetDataField(QStringLiteral("nazwa"));
    EXPECT_EQ(edit.fieldColumn(), 1);
    EXPECT_EQ(edit.text(), QStringLiteral("Młotek"));
    EXPECT_FALSE(edit.isReadOnly());
}

} // namespace
