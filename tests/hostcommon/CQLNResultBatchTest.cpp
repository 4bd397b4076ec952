// A sequence's data files loaded through a batch, as the designer and its command line load
// them: result files read ahead in runs of the reader, other files as they are, and whatever
// cannot be read refused with the words a lone read says. Each file must load into a resolver
// exactly as a lone read loads it, whichever order the files are asked for in.
#include "CQLNResultBatch.h"
#include "CQLNUnixProgram.h"
#include "E2eSupport.h"
#include "ScratchFolder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(ResultBatch, EachFileLoadsAsALoneReadLoadsItInAnyOrder)
{
    ASSERT_TRUE(CQLNUnixProgram::Available());
    E2e::ScratchFolder folder;
    std::vector<std::wstring> paths;
    // More results than one run of the reader takes, with other files among them.
    for (int i = 1; i <= 20; ++i) {
        paths.push_back(folder.Path(L"run" + std::to_wstring(i) + L".cdf"));
        ASSERT_TRUE(E2e::MakeResult(paths.back(), "Run " + std::to_string(i), i % 5 + 1));
    }
    paths.insert(paths.begin() + 3, folder.Path(L"by hand.txt"));
    ASSERT_TRUE(E2e::WriteBytes(paths[3], "SampName=By hand\r\nRow1.CompName=Caffeine\r\n"));
    paths.insert(paths.begin() + 7, folder.Path(L"text.cdf"));
    ASSERT_TRUE(E2e::WriteBytes(paths[7], "SampName=not a result\r\n"));
    paths.insert(paths.begin() + 12, folder.Path(L"missing.cdf"));
    paths.insert(paths.begin() + 15, folder.Path(L"COPY OF RUN4.CDF"));
    ASSERT_TRUE(::CopyFileW(folder.Path(L"run4.cdf").c_str(), paths[15].c_str(), FALSE));

    // The last first, then one out of the middle, then all in order: those two load twice.
    std::vector<size_t> order = {paths.size() - 1, 17};
    for (size_t n = 0; n < paths.size(); ++n)
        order.push_back(n);
    CQLNResultBatch batch(paths);
    ASSERT_EQ(paths.size(), batch.Count());
    int nRead = 0;
    for (const size_t n : order) {
        SCOPED_TRACE(testing::Message() << "file " << n);
        EXPECT_EQ(paths[n], batch.Path(n));
        CQLNReportResolver inBatch, alone;
        std::wstring whyInBatch, whyAlone;
        const bool bAlone = alone.LoadData(paths[n], whyAlone);
        EXPECT_EQ(bAlone, batch.Load(n, inBatch, whyInBatch));
        EXPECT_EQ(whyAlone, whyInBatch);
        nRead += bAlone;
        EXPECT_EQ(alone.RowCount(), inBatch.RowCount());
        EXPECT_EQ(alone.ResolveLine(L"{SampName}", L""), inBatch.ResolveLine(L"{SampName}", L""));
        for (int row = 1; row <= alone.RowCount(); ++row)
            EXPECT_EQ(alone.ResolveLine(L"{CompName} {RT} {Area}", L"2", row), inBatch.ResolveLine(L"{CompName} {RT} {Area}", L"2", row));
    }
    EXPECT_EQ(24, nRead) << "every load but those of the text and of the missing file";
    CQLNReportResolver none;
    std::wstring why;
    EXPECT_FALSE(batch.Load(paths.size(), none, why));
    EXPECT_FALSE(why.empty());
}
