#include "format/Version.h"

#include "format/FieldReader.h"
#include "format/FieldWriter.h"

#include <gtest/gtest.h>

namespace {

// A version as a file head stores it and a reader gets it back.
double RoundTrip(double version)
{
    FieldWriter writer;
    writer.WriteReal(version);
    FieldReader reader(writer.LogicalBytes());
    return reader.ReadReal();
}

} // namespace

// Versions are compared at the nine decimal places a file stores: a stored version equals
// the same threshold, one part in a billion above it is newer.
TEST(Version, ComparedAtNineDecimalPlaces)
{
    EXPECT_FALSE(Version::IsAbove(RoundTrip(0.95), 0.95));
    EXPECT_TRUE(Version::AtOrBelow(RoundTrip(0.9520007), 0.9520007));
    EXPECT_FALSE(Version::AtOrBelow(RoundTrip(0.9520008), 0.9520007));
    EXPECT_TRUE(Version::IsAbove(RoundTrip(0.950000002), 0.95));

    EXPECT_FALSE(Version::IsNewerThanProgram(RoundTrip(Version::kNumber)));
    EXPECT_FALSE(Version::IsNewerThanProgram(0.95));
    EXPECT_TRUE(Version::IsNewerThanProgram(RoundTrip(Version::kNumber + 0.01)));
    EXPECT_EQ(QString::number(Version::kNumber), Version::Text());
}
