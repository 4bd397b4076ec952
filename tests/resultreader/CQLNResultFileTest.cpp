// Result files as instruments write them, made with ncgen from CDL text, read through the netCDF
// library and the mapping; and the reader program on files that are damaged or are no results.
#include "CQLNResultFile.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace {

class ResultFileTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/qlnresult-test-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        m_dir = pattern;
    }
    void TearDown() override
    {
        if (!m_dir.empty())
            std::system(("rm -rf '" + m_dir + "'").c_str());
    }

    // The netCDF file that ncgen makes of the CDL text.
    std::string Make(const std::string& name, const std::string& cdl)
    {
        const std::string cdlPath = m_dir + "/" + name + ".cdl";
        const std::string path = m_dir + "/" + name + ".cdf";
        std::ofstream(cdlPath, std::ios::binary) << cdl;
        const std::string command = std::string(QLN_NCGEN) + " -k nc3 -o '" + path + "' '" + cdlPath + "'";
        EXPECT_EQ(std::system(command.c_str()), 0) << cdl;
        return path;
    }

    std::string Read(const std::string& path)
    {
        CQLNResultMapping::Result result;
        std::string error;
        EXPECT_TRUE(CQLNResultFile::Read(path, result, error)) << error;
        return CQLNResultMapping::DataText(result);
    }

    std::string m_dir;
};

// A result of nPeaks peaks in the form the standard describes: times in seconds, peaks in the
// order they were found, which is not always that of their times.
std::string Standard(int nPeaks)
{
    std::ostringstream cdl;
    cdl << "netcdf result {\n"
           "dimensions:\n  _2_byte_string = 2 ;\n  _32_byte_string = 32 ;\n  point_number = 5 ;\n"
           "  peak_number = " << nPeaks << " ;\n"
           "variables:\n"
           "  float ordinate_values(point_number) ;\n"
           "  float actual_sampling_interval, actual_delay_time, actual_run_time_length ;\n"
           "  char peak_name(peak_number, _32_byte_string) ;\n"
           "  float peak_retention_time(peak_number), peak_area(peak_number), peak_height(peak_number),\n"
           "        peak_amount(peak_number), peak_width(peak_number) ;\n"
           "  double peak_start_time(peak_number) ;\n"
           "// global attributes:\n"
           "  :sample_name = \"Caffeine standard\" ; :sample_id = \"CAF-005\" ; :sample_type = \"Calibration\" ;\n"
           "  :sample_injection_volume = 5.f ; :injection_date_time_stamp = \"20261114093012+0100\" ;\n"
           "  :operator_name = \"M. Lindqvist\" ; :detector_name = \"UV 254\" ; :dataset_origin = \"Bench 3\" ;\n"
           "  :peak_processing_method_name = \"caffeine_quant\" ; :retention_unit = \"Seconds\" ;\n"
           "  :peak_amount_unit = \"ug/mL\" ; :detector_unit = \"mAU\" ;\n"
           "data:\n"
           "  ordinate_values = 0.5, 1.25, 7.5, 1.25, 0.5 ;\n"
           "  actual_sampling_interval = 0.5 ; actual_delay_time = 0 ; actual_run_time_length = 750 ;\n";
    const auto list = [&cdl, nPeaks](const char* name, auto value) {
        cdl << "  " << name << " = ";
        for (int i = 0; i < nPeaks; ++i)
            cdl << (i ? ", " : "") << value(i);
        cdl << " ;\n";
    };
    // Found in the order 2, 1, 4, 3, ...: retention order swaps each pair.
    const auto time = [](int i) { return 30.0 * ((i ^ 1) + 1); };
    list("peak_name", [](int i) { return "\"Peak " + std::to_string(i + 1) + "\""; });
    list("peak_retention_time", time);
    list("peak_area", [](int i) { return 1000.5 + i; });
    list("peak_height", [](int i) { return 100.25 + i; });
    list("peak_amount", [](int i) { return 0.5 * (i + 1); });
    list("peak_width", [](int) { return 3; });
    list("peak_start_time", [&time](int i) { return time(i) - 1.5; });
    cdl << "}\n";
    return cdl.str();
}

bool HasLine(const std::string& text, const std::string& line)
{
    return ("\n" + text).find("\n" + line + "\n") != std::string::npos;
}

TEST_F(ResultFileTest, StandardFileOfTwoHundredPeaks)
{
    const std::string text = Read(Make("standard", Standard(200)));
    for (const char* line : {"SampName=Caffeine standard", "SampID=CAF-005", "SampType=Calibration", "InjVol=5",
                             "AcqDate=2026-11-14 09:30", "Operator=M. Lindqvist", "InstName=UV 254",
                             "ProcMthd=caffeine_quant", "RunTime=12.5", "DataFile=standard.cdf",
                             "TgetCompUnits=ug/mL", "Signal.Interval=0.008333333333333333", "Signal.Delay=0",
                             "Signal.Unit=mAU", "Signal.Values=0.5 1.25 7.5 1.25 0.5"})
        EXPECT_TRUE(HasLine(text, line)) << line;
    // Peak 2 (30 s) comes first; floats keep the digits they were written with.
    for (const char* line : {"Row1.CompName=Peak 2", "Row1.RT=0.5", "Row1.Area=1001.5", "Row1.Height=101.25",
                             "Row1.CalcAmt=1", "Row1.Width=0.05", "Row2.CompName=Peak 1", "Row200.CompName=Peak 199",
                             "Row200.RT=100", "Row199.CompName=Peak 200"})
        EXPECT_TRUE(HasLine(text, line)) << line;
    EXPECT_EQ(text.find("Row201."), std::string::npos);
}

TEST_F(ResultFileTest, QuirksOfInstruments)
{
    // Units spelt with an "s", times in minutes, numbers as text, the null value, names padded
    // with blanks and NULs, a Latin-1 sample name and peak variables that are missing.
    const std::string cdl =
        "netcdf quirks {\n"
        "dimensions:\n  peak_number = 3 ;\n  _8_byte_string = 8 ;\n  _12_byte_string = 12 ;\n"
        "variables:\n"
        "  char peak_name(peak_number, _12_byte_string) ;\n"
        "  char peak_retention_time(peak_number, _8_byte_string) ;\n"
        "  double peak_area(peak_number) ;\n"
        "  char actual_run_time_length(_8_byte_string) ;\n"
        "  :sample_name = \"Caf\\351 \\265g\" ; :retention_units = \"Minutes\" ; :detector_units = \"mV\" ;\n"
        "  :sample_injection_volume = \" 10.0 \" ; :injection_date_time_stamp = \"2026-11-14\" ;\n"
        "data:\n"
        "  peak_name = \"Blank pad   \", \"Nul\\000pad\", \"\" ;\n"
        "  peak_retention_time = \"2.5\", \"-9999\", \" 1.25 \" ;\n"
        "  peak_area = 10, -9999, 30 ;\n"
        "  actual_run_time_length = \"600\" ;\n"
        "}\n";
    const std::string text = Read(Make("quirks", cdl));
    for (const char* line : {"SampName=Caf\xC3\xA9 \xC2\xB5g", "InjVol=10", "AcqDate=2026-11-14", "RunTime=10",
                             "Row1.CompName=", "Row1.RT=1.25", "Row1.Area=30", "Row2.CompName=Blank pad",
                             "Row2.RT=2.5", "Row3.CompName=Nul", "Row3.RT=", "Row3.Area="})
        EXPECT_TRUE(HasLine(text, line)) << line << "\n" << text;
    // Keys whose variables are missing stay unresolved.
    EXPECT_EQ(text.find("Height"), std::string::npos);
    EXPECT_EQ(text.find("Signal."), std::string::npos);
}

TEST_F(ResultFileTest, EmptyAndUnwrittenVariables)
{
    // No peaks at all, and a signal whose points were never written (the library's fill value).
    const std::string cdl =
        "netcdf empty {\n"
        "dimensions:\n  peak_number = UNLIMITED ;\n  point_number = 3 ;\n"
        "variables:\n  float peak_area(peak_number) ;\n  float ordinate_values(point_number) ;\n"
        "  :sample_name = \"\" ;\n"
        "data:\n  ordinate_values = 1, _, 3 ;\n}\n";
    const std::string text = Read(Make("empty", cdl));
    EXPECT_TRUE(HasLine(text, "SampName=")) << text;
    EXPECT_EQ(text.find("Row1."), std::string::npos) << text;
    EXPECT_TRUE(HasLine(text, "Signal.Values=1 - 3")) << text;
}

// The reader program's exit status and the first line it wrote, run with a time limit.
struct Outcome
{
    int status;     // the exit status, 128 + the signal's number, or 124 for a hang
    std::string text;
};

Outcome RunReader(const std::string& path, const std::string& out)
{
    const std::string command = "timeout -s KILL 10 " + std::string(QLN_RESULT_READER) + " '" + path + "' '" + out + "' 2>/dev/null";
    const int raw = std::system(command.c_str());
    Outcome outcome{WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw), std::string()};
    std::ifstream in(out, std::ios::binary);
    std::getline(in, outcome.text);
    return outcome;
}

std::string Contents(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// A sequence's results read in one run: each output is what a run of its own writes, and the
// status says of each in turn whether it was read; any refusal makes the run's status 1.
TEST_F(ResultFileTest, ReaderReadsEachResultOfARunAsItReadsItAlone)
{
    std::ofstream(m_dir + "/text.cdf") << "SampName=not binary at all\n";
    const std::string good = Make("good", Standard(3)), other = Make("other", Standard(40));
    const struct
    {
        std::vector<std::string> results;
        const char* status;
        int exitStatus;
    } runs[] = {
        {{good, m_dir + "/text.cdf", m_dir + "/missing.cdf", other}, "read\nrefused\nrefused\nread\n", 1},
        {{other, good, other}, "read\nread\nread\n", 0},
        {{m_dir + "/text.cdf"}, "refused\n", 1},
    };
    for (const auto& run : runs) {
        SCOPED_TRACE(run.status);
        std::string command = "timeout -s KILL 20 " + std::string(QLN_RESULT_READER) + " --each '" + m_dir + "/status.txt'";
        for (size_t i = 0; i < run.results.size(); ++i)
            command += " '" + run.results[i] + "' '" + m_dir + "/each" + std::to_string(i) + ".txt'";
        const int raw = std::system((command + " 2>/dev/null").c_str());
        ASSERT_TRUE(WIFEXITED(raw));
        EXPECT_EQ(run.exitStatus, WEXITSTATUS(raw));
        EXPECT_EQ(run.status, Contents(m_dir + "/status.txt"));
        for (size_t i = 0; i < run.results.size(); ++i) {
            const std::string alone = m_dir + "/alone.txt";
            RunReader(run.results[i], alone);
            EXPECT_EQ(Contents(alone), Contents(m_dir + "/each" + std::to_string(i) + ".txt")) << run.results[i];
        }
    }
    const int raw = std::system((std::string(QLN_RESULT_READER) + " --each '" + m_dir + "/status.txt' '" + good + "' 2>/dev/null").c_str());
    EXPECT_TRUE(WIFEXITED(raw) && WEXITSTATUS(raw) == 2) << "a result without its output file is a bad command line";
}

TEST_F(ResultFileTest, ReaderRefusesWhatIsNoResult)
{
    const std::string out = m_dir + "/out.txt";
    std::ofstream(m_dir + "/text.cdf") << "SampName=not binary at all\n";
    Outcome outcome = RunReader(m_dir + "/text.cdf", out);
    EXPECT_EQ(outcome.status, 1);
    EXPECT_NE(outcome.text.find("is no netCDF file"), std::string::npos) << outcome.text;

    const std::string climate = Make("climate", "netcdf climate {\ndimensions:\n  time = 2 ;\nvariables:\n"
                                                "  float temperature(time) ;\ndata:\n  temperature = 1, 2 ;\n}\n");
    outcome = RunReader(climate, out);
    EXPECT_EQ(outcome.status, 1);
    EXPECT_NE(outcome.text.find("is a netCDF file but no chromatography result"), std::string::npos) << outcome.text;

    outcome = RunReader(m_dir + "/missing.cdf", out);
    EXPECT_EQ(outcome.status, 1);
    EXPECT_NE(outcome.text.find("cannot read"), std::string::npos) << outcome.text;

    outcome = RunReader(Make("good", Standard(3)), out);
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.text, "SampName=Caffeine standard");
}

TEST_F(ResultFileTest, DamagedCopiesAreReadOrRefusedNeverCrash)
{
    const std::string good = Make("good", Standard(40));
    std::ifstream in(good, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_GT(bytes.size(), 1000u);
    std::mt19937 random(20261114);
    const std::string copy = m_dir + "/damaged.cdf";
    const std::string out = m_dir + "/damaged.txt";
    int nRead = 0;
    int nRefused = 0;
    for (int n = 0; n < 300; ++n) {
        std::string damaged = bytes;
        const int kind = n % 4;
        if (kind == 0) {
            // Cut anywhere.
            damaged.resize(random() % bytes.size());
        } else if (kind == 1) {
            // A few bytes changed, most often in the header, where counts and offsets are.
            for (int k = 0; k < 4; ++k)
                damaged[random() % (random() % 2 ? 600 : damaged.size())] = static_cast<char>(random());
        } else if (kind == 2) {
            // A count or offset made huge or negative.
            const size_t at = (random() % 150) * 4;
            for (size_t k = 0; k < 4 && at + k < damaged.size(); ++k)
                damaged[at + k] = static_cast<char>(k == 0 ? 0x7F + (random() % 2) * 0x80 : random());
        } else {
            // A run of bytes overwritten.
            const size_t at = random() % damaged.size();
            for (size_t k = at; k < damaged.size() && k < at + 64; ++k)
                damaged[k] = static_cast<char>(random());
        }
        std::ofstream(copy, std::ios::binary | std::ios::trunc) << damaged;
        const Outcome outcome = RunReader(copy, out);
        // A copy that breaks the reader is kept to be looked at.
        if (outcome.status != 0 && outcome.status != 1)
            std::ofstream("/tmp/qlnresult-damaged-" + std::to_string(n) + ".cdf", std::ios::binary) << damaged;
        ASSERT_TRUE(outcome.status == 0 || outcome.status == 1)
            << "copy " << n << " ended with status " << outcome.status << " (124: hang, over 128: signal)";
        if (outcome.status == 1) {
            EXPECT_FALSE(outcome.text.empty()) << "copy " << n << " was refused without a message";
        }
        (outcome.status == 0 ? nRead : nRefused)++;
    }
    std::printf("damaged copies: %d read, %d refused\n", nRead, nRefused);
    EXPECT_GT(nRefused, 0);
}

} // namespace
