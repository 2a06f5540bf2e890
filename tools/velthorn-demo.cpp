// velthorn-demo: writes a product database and a prepared price list to try the tool on.
#include <QCoreApplication>
#include <QStringList>
#include <cstdio>

#include "db/Error.h"
#include "demo/DemoData.h"
#include "schema/Versions.h"

using namespace velthorn;

namespace {
const char* const kUsage =
    "usage: velthorn-demo DIR [--version TEXT] [--parts N] [--rows N] [--brand NAME] [--seed N]\n"
    "                         [--chunk-rows N] [--odbc \"CONNECTION STRING\"]\n"
    "Writes DIR/Sarnovik.db (a product database of the version, default \"P.64 (Bar)\", with N\n"
    "parts) and DIR/PriceList_<brand>.db (a prepared list of chunk tables of 20,000 rows), with\n"
    "a deterministic mix of unchanged, changed, protected and new parts. With --odbc the product\n"
    "database is created on a server instead (an empty database reached by that ODBC string).\n";

bool ToInt(const QString& text, int* value) {
    bool ok = false;
    *value = text.toInt(&ok);
    return ok && *value >= 0;
}
}  // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    const QStringList args = application.arguments().mid(1);
    demo::DemoOptions options;
    for (int i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        int number = 0;
        if (arg == "--help" || arg == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        } else if (arg == "--version" && hasValue) {
            options.version = args[++i];
        } else if (arg == "--parts" && hasValue && ToInt(args[i + 1], &number)) {
            options.parts = number;
            ++i;
        } else if (arg == "--rows" && hasValue && ToInt(args[i + 1], &number)) {
            options.rows = number;
            ++i;
        } else if (arg == "--odbc" && hasValue) {
            options.odbc = args[++i];
        } else if (arg == "--brand" && hasValue) {
            options.brand = args[++i];
        } else if (arg == "--seed" && hasValue && ToInt(args[i + 1], &number)) {
            options.seed = static_cast<uint32_t>(number);
            ++i;
        } else if (arg == "--chunk-rows" && hasValue && ToInt(args[i + 1], &number) && number > 0) {
            options.chunkRows = number;
            ++i;
        } else if (!arg.startsWith(u'-') && options.dir.isEmpty()) {
            options.dir = arg;
        } else {
            std::fprintf(stderr, "velthorn-demo: bad argument %s\n%s", qPrintable(arg), kUsage);
            return 64;
        }
    }
    if (options.dir.isEmpty()) {
        std::fputs(kUsage, stderr);
        return 64;
    }
    if (!schema::FindVersion(options.version)) {
        std::fprintf(stderr, "velthorn-demo: unknown version \"%s\"\n",
                     options.version.toUtf8().constData());
        return 64;
    }
    try {
        const demo::DemoResult result = demo::WriteDemo(options);
        std::printf("%s: %d parts, version \"%s\"\n%s: %d list rows in %d chunk tables\n",
                    qPrintable(result.productPath), result.parts,
                    options.version.toUtf8().constData(), qPrintable(result.priceListPath),
                    result.rows, result.chunks);
    } catch (const VelthornError& error) {
        std::fprintf(stderr, "velthorn-demo: %s\n", error.message().toUtf8().constData());
        return 1;
    }
    return 0;
}
