#include "cli/CsvConversion.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <unistd.h>
#include <random>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "calc/InputValidation.h"
#include "calc/LossModel.h"
#include "calc/PressureUnits.h"

namespace velars::cli {
namespace {

struct Outcome {
    int status = -1;
    std::string out;
    std::vector<std::string> reports;
};

class RecordingSink : public CsvSink {
public:
    explicit RecordingSink(Outcome& outcome) : outcome_(outcome) {}
    bool Write(std::string_view text) override {
        outcome_.out.append(text);
        return true;
    }
    void Report(const std::string& message) override { outcome_.reports.push_back(message); }

private:
    Outcome& outcome_;
};

Outcome Convert(InputText& input, const CsvSettings& settings) {
    Outcome outcome;
    RecordingSink sink(outcome);
    outcome.status = ConvertCsv(input, settings, sink);
    return outcome;
}

Outcome Convert(std::string text, const CsvSettings& settings) {
    InputText input;
    input.Assign(std::move(text));
    return Convert(input, settings);
}

Outcome Convert(std::string text, int threads = 1, bool fastPath = true) {
    CsvSettings settings;
    settings.threads = threads;
    settings.fastPath = fastPath;
    return Convert(std::move(text), settings);
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) lines.push_back(line);
    return lines;
}

std::vector<std::string> Fields(const std::string& line) {
    std::vector<std::string> fields;
    std::istringstream stream(line);
    for (std::string field; std::getline(stream, field, ',');) fields.push_back(field);
    if (!line.empty() && line.back() == ',') fields.emplace_back();
    return fields;
}

const std::string kHeader =
    "model,section,dy,density,flow,temperature,gauge_pressure,atm_pressure,ldy\n";
const std::string kOutputHeader =
    "model,section,dy,density,flow,temperature,gauge_pressure,atm_pressure,ldy,dzeta_pp,"
    "dzeta_turb,dzeta_turb2,dzeta_sum,loss_pa,allowed_increase_pa,loss_mm,allowed_increase_mm";

TEST(CsvConversionTest, WorkedExampleReadsBackExactly) {
    const Outcome outcome = Convert(kHeader + "3,1,100,0.68,500,20,0.3,101.325,\n");
    EXPECT_EQ(outcome.status, kAllRowsDone);
    EXPECT_TRUE(outcome.reports.empty());
    const auto lines = Lines(outcome.out);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], kOutputHeader);
    EXPECT_EQ(lines[1],
              "3,1,100,0.68,500,20,0.3,101.325,,0.95,1.8,2.9,2.75,73.76138,7.376138,7.521568,"
              "0.7521568");
    const auto fields = Fields(lines[1]);
    EXPECT_EQ(std::strtof(fields[13].c_str(), nullptr), 73.76138305664062f);
    EXPECT_EQ(std::strtof(fields[14].c_str(), nullptr), 7.376138210296631f);
    EXPECT_EQ(std::strtof(fields[15].c_str(), nullptr), PascalToMmWater(73.76138305664062f));
}

TEST(CsvConversionTest, BadRowsAreReportedAndTheOthersWritten) {
    const Outcome outcome = Convert(kHeader +
                                    "3,1,100,0.68,500,20,0.3,101.325,\n"    // row 2
                                    "0,1,100,0.68,5..0,20,x,101.325,\n"     // row 3
                                    "\n"                                    // row 4, skipped
                                    "0,0,100,0.68,0,20,0.3,101.325,\n"      // row 5: fault
                                    "2,0,50,0.68,500,20,0.3,101.325\n"      // row 6: no ldy
                                    "4,2,27,0.68,500,20,0.3,101.325,\n"     // row 7
                                    "1,0,100,0.68,500,20,0.3,101.325,,9\n"  // row 8
                                    "5,0,80,0.68,500,20,0.3,101.325,\n");   // row 9
    EXPECT_EQ(outcome.status, kSomeRowsFailed);
    const std::vector<std::string> expected = {
        "row 3: field 'flow': '5..0' is not a valid floating point value",
        "row 3: field 'gauge_pressure': 'x' is not a valid floating point value",
        "row 5: Floating point division by zero",
        "row 6: field 'ldy': missing",
        "row 7: field 'section': '2' is not a section of ВЕЛАРС-Д500 (0 Без турбулизатора, 1 "
        "Турбулизатор-Н)",
        "row 8: 10 fields where the header has 9",
        "5 of 7 rows failed",
    };
    EXPECT_EQ(outcome.reports, expected);
    const auto lines = Lines(outcome.out);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1].substr(0, 2), "3,");
    EXPECT_EQ(lines[2].substr(0, 2), "5,");
}

TEST(CsvConversionTest, SpreadsheetExportWithSemicolonsAndCommaDecimals) {
    // Byte order mark, CR LF, ";" between fields, "," decimals, names for
    // the device, a column of its own, the columns in another order.
    const std::string text =
        "\xEF\xBB\xBFPoint;Flow;Model;Section;DY;Density;Temperature;Gauge_Pressure;Atm_Pressure;"
        "LDy\r\n"
        "ГРП \"Север\", ввод 1;500;ВЕЛАРС-МТ7;Турбулизатор-Н;100;0,68;20;0,3;101,325;\r\n"
        "врезной;500;велАрс-сфера-вр;0;50; 0,68 ;20;0,3;101,325;4,0\r\n";
    const Outcome outcome = Convert(text);
    EXPECT_EQ(outcome.status, kAllRowsDone);
    const auto lines = Lines(outcome.out);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0],
              "Point,flow,model,section,dy,density,temperature,gauge_pressure,atm_pressure,ldy,"
              "dzeta_pp,dzeta_turb,dzeta_turb2,dzeta_sum,loss_pa,allowed_increase_pa,loss_mm,"
              "allowed_increase_mm");
    EXPECT_EQ(lines[1],
              "\"ГРП \"\"Север\"\", ввод 1\",500,3,1,100,0.68,20,0.3,101.325,,0.95,1.8,2.9,2.75,"
              "73.76138,7.376138,7.521568,0.7521568");
    EXPECT_EQ(lines[2].rfind("врезной,500,2,0,50,0.68,20,0.3,101.325,4,", 0), 0u) << lines[2];
}

TEST(CsvConversionTest, CutInModelMatchesTheLossModel) {
    const Outcome outcome = Convert(kHeader + "2,1,50,0.7,120,-5,0.25,99.5,3.5\n");
    ASSERT_EQ(outcome.status, kAllRowsDone);
    CalcRecord record;
    record.valDy = 50;
    record.valPlotnost = 0.7f;
    record.valQ = 120.0f;
    record.valTgaza = static_cast<float>(-5.0f + 273.15L);
    record.valPizb = static_cast<float>(0.25f * 1000000.0L);
    record.valPatm = static_cast<float>(99.5f * 1000.0L);
    CalculateLoss(record, 2, 1, QStringLiteral("3.5"), QLatin1Char('.'));
    const auto fields = Fields(Lines(outcome.out)[1]);
    ASSERT_EQ(fields.size(), 17u);
    EXPECT_EQ(fields[8], "3.5");
    EXPECT_EQ(std::strtof(fields[9].c_str(), nullptr), record.valDzetaPP);
    EXPECT_EQ(std::strtof(fields[12].c_str(), nullptr), record.valDzetaSum);
    EXPECT_EQ(std::strtof(fields[13].c_str(), nullptr), record.valDPpoteri);
    EXPECT_EQ(std::strtof(fields[14].c_str(), nullptr), record.valDPdop);
}

TEST(CsvConversionTest, HeaderProblemsStopTheConversion) {
    const struct {
        std::string text;
        std::string report;
    } cases[] = {
        {"", "the file is empty: the first row must name the columns"},
        {"\n\r\n", "the file is empty: the first row must name the columns"},
        {"model,section,dy,density,temperature,gauge_pressure,atm_pressure\n1,0,100,1,1,1,1\n",
         "the header has no column 'flow'"},
        {"model,section,dy,density,flow,FLOW,temperature,gauge_pressure,atm_pressure\n",
         "the header names the column 'flow' twice"},
    };
    for (const auto& c : cases) {
        const Outcome outcome = Convert(c.text);
        EXPECT_EQ(outcome.status, kCannotConvert) << c.text;
        EXPECT_EQ(outcome.reports, std::vector<std::string>{c.report}) << c.text;
        EXPECT_EQ(outcome.out, "") << c.text;
    }
}

// Rows of every kind: plain ones that the quick reader takes, and forms
// that only the window's reading knows (names, blanks, lone marks, quoted
// comma decimals), invalid values and faults.
std::string MixedRows(int count, bool quotes, unsigned seed) {
    static const char* const kModels[] = {"0", "1", "2", "3", "4", "5", "ВЕЛАРС-МТ7", "7"};
    static const char* const kValues[] = {"0.68", "500",   "-12.5",      "1e3", "0",
                                          " 7 ",  ".",     "1,5e-1",     "abc", "3.4e38",
                                          "-0",   "1e-30", "123456.789", "5e+2"};
    std::mt19937 random(seed);
    std::string text = kHeader;
    for (int i = 0; i < count; ++i) {
        const int model = static_cast<int>(random() % 8);
        text += kModels[model];
        text += ',' + std::to_string(random() % 4) + ',';
        static const char* const kDiameters[] = {"50", "100", "27", "0", "400", "80"};
        text += kDiameters[random() % 6];
        for (int field = 0; field < 5; ++field) {
            text += ',';
            text += random() % 3 ? std::to_string(0.5 + (random() % 100000) / 97.0)
                                 : kValues[random() % 14];
        }
        text += ',';
        if (quotes && random() % 5 == 0)
            text += "\"2,5\"";
        else
            text += random() % 2 ? "4" : "";
        if (random() % 50 == 0) text += "\n";
        text += random() % 7 ? "\n" : "\r\n";
    }
    return text;
}

TEST(CsvConversionTest, QuickReadingGivesTheWindowsResults) {
    for (bool quotes : {false, true}) {
        const std::string text = MixedRows(20000, quotes, 11);
        const Outcome fast = Convert(text, 1, true);
        const Outcome reference = Convert(text, 1, false);
        EXPECT_EQ(fast.status, kSomeRowsFailed);
        EXPECT_EQ(fast.out, reference.out);
        EXPECT_EQ(fast.reports, reference.reports);
        EXPECT_GT(Lines(fast.out).size(), 5000u);
    }
}

TEST(CsvConversionTest, ThreadsGiveTheSameOutputAndRowNumbers) {
    for (bool quotes : {false, true}) {
        // Large enough to be cut into several chunks.
        const std::string text = MixedRows(60000, quotes, 5);
        ASSERT_GT(text.size(), 1024u * 1024u);
        const Outcome one = Convert(text, 1);
        const Outcome four = Convert(text, 4);
        EXPECT_EQ(one.out, four.out);
        EXPECT_EQ(one.reports, four.reports);
        EXPECT_EQ(one.status, four.status);
    }
}

TEST(CsvConversionTest, BlockAndReadSizesDoNotChangeTheOutput) {
    // Quoted fields with separators, doubled quotes and line ends in them,
    // CR LF, empty lines and a last row without its LF, cut everywhere.
    std::string text = "\xEF\xBB\xBF\n\r\nname," + kHeader;
    text += "\"a,\"\"b\"\"\nc\",3,1,100,0.68,500,20,0.3,101.325,\n";
    text += "x\"y,3,1,100,\"0.68\",500,20,0.3,101.325,\r\n\n";
    text += "\"\",3,1,100,0.68,bad,20,0.3,101.325,\n";
    text += "\"q\"tail,2,0,50,0.7,800,10,0.6,100,\"4\"\n";
    text += "last,4,0,300,0.7,800,10,0.6,100,";
    const Outcome whole = Convert(text, 1);
    EXPECT_EQ(whole.status, kSomeRowsFailed);
    EXPECT_EQ(Lines(whole.out).size(), 6u);  // one field holds a line end
    EXPECT_EQ(whole.reports, (std::vector<std::string>{
                                 "row 7: field 'flow': 'bad' is not a valid floating point value",
                                 "1 of 5 rows failed"}));
    for (std::size_t block : {0, 1, 7, 64}) {
        for (std::size_t read : {1, 2, 5, 333}) {
            for (long records : {1, 2, 2048}) {
                for (int threads : {1, 3}) {
                    CsvSettings settings;
                    settings.threads = threads;
                    settings.blockBytes = block;
                    settings.readBytes = read;
                    settings.blockRecords = records;
                    const Outcome cut = Convert(text, settings);
                    const std::string where = std::to_string(block) + " bytes, " +
                                              std::to_string(read) + " read, " +
                                              std::to_string(records) + " records, " +
                                              std::to_string(threads) + " threads";
                    EXPECT_EQ(cut.out, whole.out) << where;
                    EXPECT_EQ(cut.reports, whole.reports) << where;
                }
            }
        }
    }
}

TEST(CsvConversionTest, RecordLongerThanOneMebibyteIsARowError) {
    const std::string good = "3,1,100,0.68,500,20,0.3,101.325,\n";
    const std::string limit(1 << 20, 'x');
    const struct {
        std::string record;
        std::string report;
    } cases[] = {
        {"3,1,100,0.68,500,20,0.3,101.325," + limit + "\n", "row 3: line longer than 1 MiB"},
        {"\"" + limit + "\nmore\",1\n", "row 3: line longer than 1 MiB"},
        // The longest record that is still read: its text is the limit.
        {limit.substr(0, limit.size() - 18) + ",1,2,3,4,5,6,7,8,9\n",
         "row 3: 10 fields where the header has 9"},
    };
    for (const auto& c : cases) {
        for (std::size_t read : {std::size_t{4096}, std::size_t{3} << 20}) {
            CsvSettings settings;
            settings.readBytes = read;
            const Outcome outcome = Convert(kHeader + good + c.record + good, settings);
            EXPECT_EQ(outcome.status, kSomeRowsFailed);
            EXPECT_EQ(outcome.reports, (std::vector<std::string>{c.report, "1 of 3 rows failed"}));
            EXPECT_EQ(Lines(outcome.out).size(), 3u);
        }
    }
    // A quote never closed: the rest of the file went into the field.
    const Outcome open = Convert(kHeader + good + "\"" + limit + "\n" + good);
    EXPECT_EQ(open.reports,
              (std::vector<std::string>{"row 3: line longer than 1 MiB: a quote in it is never "
                                        "closed, so the rest of the file went into one field",
                                        "1 of 2 rows failed"}));
    // So is a header that long.
    EXPECT_EQ(Convert("\n" + limit + "," + kHeader).reports,
              std::vector<std::string>{"row 2: line longer than 1 MiB"});
}

TEST(CsvConversionTest, UnterminatedQuoteSaysWhereItOpened) {
    const std::string good = "3,1,100,0.68,500,20,0.3,101.325,\n";
    const Outcome outcome =
        Convert(kHeader + good + "3,1,100,\"0.68,500,20,0.3,101.325,\n" + good + good);
    EXPECT_EQ(outcome.status, kSomeRowsFailed);
    // Rows counted are the rows read: the two after the quote were never rows.
    EXPECT_EQ(outcome.reports, (std::vector<std::string>{
                                   "row 3: the quote that opens field 'density' is never "
                                   "closed: the rest of the file (3 lines) went into that field",
                                   "1 of 2 rows failed"}));
    EXPECT_EQ(Lines(outcome.out).size(), 2u);
}

TEST(CsvConversionTest, FieldTextInMessagesIsEscapedAndShort) {
    std::string row = "3,1,100,0.6";
    row += '\0';
    row += "\x1b[2J,500,20,0.3,101.325,\n";
    EXPECT_EQ(Convert(kHeader + row).reports,
              (std::vector<std::string>{
                  "row 2: field 'density': '0.6\\0\\x1b[2J' is not a valid floating point value",
                  "1 of 1 rows failed"}));
    const std::string big(100000, '9');
    const Outcome outcome = Convert(kHeader + "3,1,100,0.68,500,20,0.3," + big + "x,\n");
    ASSERT_EQ(outcome.reports.size(), 2u);
    EXPECT_EQ(outcome.reports[0], "row 2: field 'atm_pressure': '" + std::string(40, '9') +
                                      "\u2026' is not a valid floating point value");
    // Names and unknown devices too, in their own characters.
    EXPECT_EQ(Convert(kHeader + "ВЕЛАРС\t\u0085,1,100,0.68,500,20,0.3,101.325,\n").reports[0],
              "row 2: field 'model': 'ВЕЛАРС\\t\\u0085' is not a model: give 0 to 5 or a name from "
              "--help");
}

TEST(CsvConversionTest, FileShortenedWhileReadIsAnError) {
    char path[] = "/tmp/velars-shrink-XXXXXX";
    const int fd = mkstemp(path);
    ASSERT_GE(fd, 0);
    ::close(fd);
    {
        std::ofstream file(path, std::ios::binary);
        file << kHeader;
        for (int i = 0; i < 100000; ++i) file << "3,1,100,0.68,500,20,0.3,101.325,\n";
    }
    InputText input;
    std::string error;
    ASSERT_TRUE(input.Open(path, error)) << error;
    // Another program rewrites the file after the tool opened it.
    ASSERT_EQ(::truncate(path, 1000), 0);
    const Outcome outcome = Convert(input, CsvSettings{});
    ::unlink(path);
    EXPECT_EQ(outcome.status, kCannotConvert);
    ASSERT_FALSE(outcome.reports.empty());
    EXPECT_NE(outcome.reports.back().find("the file became shorter while it was read"),
              std::string::npos)
        << outcome.reports.back();
}

// Reports for the calculated rows: asked for in the order of the rows, on
// the converting thread, with each row's own calculation, whatever the
// blocks and threads; the answers fill a last column "report"; the messages
// of the bad rows come in between in row order.
TEST(CsvConversionTest, ReportsAreAskedForRowByRowAndFillTheReportColumn) {
    struct Reports : CsvRowReports {
        std::string Report(long row, const CalculationSteps& calculation, CsvSink& sink) override {
            sink.Report(std::string("report of row ").append(std::to_string(row)));
            EXPECT_EQ(calculation.record.valQ, float(row)) << row;
            EXPECT_EQ(calculation.model, 3);
            calls.push_back(std::this_thread::get_id());
            return row % 5 == 0 ? std::string() : Number(row);
        }
        static std::string Number(long row) { return std::string("N").append(std::to_string(row)); }
        std::vector<std::thread::id> calls;
    };
    std::string text = "flow,model,section,dy,density,temperature,gauge_pressure,atm_pressure\n";
    std::size_t good = 0;
    for (int row = 2; row < 302; ++row) {
        good += row % 7 != 0;
        // Every seventh row is bad; the flow is the row's own number.
        text += (row % 7 == 0 ? std::string("x") : std::to_string(row)) +
                ",3,1,100,0.68,20,0.3,101.325\n";
    }
    for (const int threads : {1, 2}) {
        SCOPED_TRACE(threads);
        Reports reports;
        CsvSettings settings;
        settings.threads = threads;
        settings.blockRecords = 9;
        settings.reports = &reports;
        const Outcome outcome = Convert(text, settings);
        EXPECT_EQ(outcome.status, 1);
        const std::vector<std::string> lines = Lines(outcome.out);
        ASSERT_FALSE(lines.empty());
        EXPECT_EQ(Fields(lines[0]).back(), "report");
        // The messages, row by row: a bad row's problem or a good row's report.
        long last = 0;
        std::size_t line = 1;
        for (const std::string& message : outcome.reports) {
            if (message.rfind("row ", 0) != 0 && message.rfind("report of row ", 0) != 0) continue;
            const long row = std::stol(message.substr(message.find_first_of("0123456789")));
            EXPECT_GT(row, last) << message;
            last = row;
            if (message.rfind("report of row ", 0) != 0) continue;
            ASSERT_LT(line, lines.size());
            const std::vector<std::string> fields = Fields(lines[line++]);
            EXPECT_EQ(fields.front(), std::to_string(row));
            EXPECT_EQ(fields.back(), row % 5 == 0 ? std::string() : Reports::Number(row));
        }
        EXPECT_EQ(line, lines.size());
        EXPECT_EQ(reports.calls.size(), good);
        for (const std::thread::id id : reports.calls) EXPECT_EQ(id, std::this_thread::get_id());
    }
}

}  // namespace
}  // namespace velars::cli
