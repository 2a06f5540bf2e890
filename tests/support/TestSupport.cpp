#include "support/TestSupport.h"

#include <QProcess>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <atomic>
#include <stdexcept>

#include "db/StatementTrace.h"
#include "schema/Currency.h"

namespace velthorn::test {

void EnsureApplication() {
    if (QCoreApplication::instance()) return;
    static int argc = 1;
    static char name[] = "velthorn-tests";
    static char* argv[] = {name, nullptr};
    static QCoreApplication* application = new QCoreApplication(argc, argv);
    (void)application;
}

StatementRecorder::StatementRecorder(bool withEvents) {
    db::StatementTrace::SetRecorder(
        [this, withEvents](bool isStatement, const QString& connection, const QString& text) {
            if (isStatement) {
                statements << connection + ": " + text;
            } else if (withEvents) {
                events << connection + ": " + text;
            }
        });
}

StatementRecorder::~StatementRecorder() {
    db::StatementTrace::SetRecorder(nullptr);
}

QStringList StatementRecorder::On(const QString& connection) const {
    QStringList result;
    const QString prefix = connection + ": ";
    for (const QString& statement : statements) {
        if (statement.startsWith(prefix)) result << statement.mid(prefix.size());
    }
    return result;
}

Workspace::Workspace() {
    EnsureApplication();
    if (!dir_.isValid()) throw std::runtime_error("no temporary folder");
}

FormFixture::FormFixture(const Workspace& workspace, const QString& brand) : form(view, brand) {
    form.Form_Load();
    view.SetText(Control::txtDataSarnovik, workspace.product());
    view.SetText(Control::txtPriceList, workspace.priceList());
}

void FormFixture::Open() {
    form.cnPriceList->Open(db::PriceListConnectionString(view.Text(Control::txtPriceList), false));
    form.OpenDataConnection();
    if (!form.CheckDataVersion()) throw std::runtime_error("version rejected");
    form.GetBrandID();
}

namespace {
std::atomic<int> g_readers{0};

template <class F>
void WithDatabase(const QString& path, F f) {
    const QString name = QStringLiteral("velthorn-test-reader-%1").arg(++g_readers);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        if (!db.open()) throw std::runtime_error(db.lastError().text().toStdString());
        f(db);
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
}

QString Render(const QVariant& value) {
    if (value.isNull()) return QStringLiteral("NULL");
    if (value.typeId() == QMetaType::Double) {
        return schema::Currency::FromVariant(value).toString();
    }
    return value.toString();
}
}  // namespace

QStringList Rows(const QString& path, const QString& sql) {
    QStringList rows;
    WithDatabase(path, [&](QSqlDatabase& db) {
        QSqlQuery query(db);
        if (!query.exec(sql))
            throw std::runtime_error((sql + ": " + query.lastError().text()).toStdString());
        while (query.next()) {
            QStringList values;
            for (int i = 0; i < query.record().count(); ++i)
                values << Render(query.value(i));
            rows << values.join(u'|');
        }
    });
    return rows;
}

QVariant Value(const QString& path, const QString& sql) {
    QVariant result;
    WithDatabase(path, [&](QSqlDatabase& db) {
        QSqlQuery query(db);
        if (!query.exec(sql))
            throw std::runtime_error((sql + ": " + query.lastError().text()).toStdString());
        if (query.next()) result = query.value(0);
    });
    return result;
}

void Exec(const QString& path, const QString& sql) {
    WithDatabase(path, [&](QSqlDatabase& db) {
        QSqlQuery query(db);
        if (!query.exec(sql))
            throw std::runtime_error((sql + ": " + query.lastError().text()).toStdString());
    });
}

demo::PartRecord Part(int32_t id, const QString& kind, const QString& partNO, const QString& price,
                      const QString& sale) {
    demo::PartRecord part;
    part.partId = id;
    part.kind = kind;
    part.partNO = partNO;
    part.eName = "OLD NAME " + partNO;
    part.tName = QStringLiteral("ชื่อเดิม");
    part.model = "OLDMODEL";
    part.import = "N";
    part.price = schema::Currency::Parse(price);
    part.sale = schema::Currency::Parse(sale);
    return part;
}

demo::ListRecord ListRow(const QString& kind, const QString& partNO, const QString& price,
                         const QString& sale) {
    demo::ListRecord row;
    row.kind = kind;
    row.partNO = partNO;
    row.eName = "NAME " + partNO;
    row.tName = QStringLiteral("ชื่อใหม่");
    row.model = "MIRA";
    row.import = "Y";
    row.price = schema::Currency::Parse(price);
    row.sale = schema::Currency::Parse(sale);
    return row;
}

QString Program(const QString& name) {
    return QStringLiteral(VELTHORN_BIN_DIR "/") + name;
}

Outcome RunProgram(const QString& program, const QStringList& arguments, const QStringList& prefix,
                   const QString& workingDirectory) {
    QProcess process;
    if (!workingDirectory.isEmpty()) process.setWorkingDirectory(workingDirectory);
    if (prefix.isEmpty()) {
        process.start(program, arguments);
    } else {
        process.start(prefix.first(), prefix.mid(1) + QStringList{program} + arguments);
    }
    if (!process.waitForFinished(300000)) {
        process.kill();
        process.waitForFinished();
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

Outcome RunVelthorn(const QStringList& arguments) {
    return RunProgram(Program("velthorn"), arguments);
}

}  // namespace velthorn::test
