// Pure computations of the triangles benchmark: the filled array, the light
// vectors, the limit, and the report texts.
#include "fill.h"
#include "frame_values.h"
#include "triangles.h"
#include "triangles_report.h"

#include "number_format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <omp.h>
#include <vector>

// The array the real fill_data writes, as the program has it.
double* vertex_data = new double[vertex_data_count];

TEST(TrianglesFill, ElementValues)
{
    EXPECT_EQ(fill_value(0), 0.0);
    EXPECT_FALSE(std::signbit(fill_value(0)));
    const struct {
        int i;
        const char* text;
    } cases[] = {{1, "2.15198"}, {2, "-1.07755"}, {3, "0.121004"}, {100, "-0.209021"}, {12995999, "0.103544"}};
    for (const auto& c : cases)
        EXPECT_EQ(format_number(fill_value(c.i)), c.text) << c.i;
}

TEST(TrianglesFill, OneThreadGivesTheArrayOfEight)
{
    omp_set_num_threads(1);
    fill_data();
    std::vector<double> single(vertex_data, vertex_data + vertex_data_count);
    std::memset(vertex_data, 0xA5, sizeof(double) * vertex_data_count);
    omp_set_num_threads(8);
    fill_data();
    EXPECT_EQ(std::memcmp(single.data(), vertex_data, sizeof(double) * vertex_data_count), 0);
    // Every element is written, the last included, each by its own formula.
    for (int i : {0, 1, 767, 1624499, 12995998, 12995999}) {
        const double expected = fill_value(i);
        EXPECT_EQ(std::memcmp(&vertex_data[i], &expected, sizeof expected), 0) << i;
    }
    // The first eight index bytes are those of +0.0: vertex 0 at the corners
    // of the first two triangles.
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(vertex_data);
    for (int j = 0; j < 8; ++j)
        EXPECT_EQ(bytes[j], 0) << j;
}

TEST(TrianglesFrame, LightVectorsOfTheFirstFrame)
{
    float light_position[4];
    float spot_direction[3];
    light_vectors(1.0, light_position, spot_direction);
    const float expected_position[4] = {1.27324f, 0.841471f, 0.540302f, 1.0f};
    const float expected_direction[3] = {1.27324f, 0.540302f, 0.841471f};
    for (int n = 0; n < 4; ++n)
        EXPECT_NEAR(light_position[n], expected_position[n], 5e-6) << n;
    for (int n = 0; n < 3; ++n)
        EXPECT_NEAR(spot_direction[n], expected_direction[n], 5e-6) << n;
    // Each component is the double value rounded to float.
    EXPECT_EQ(light_position[0], static_cast<float>(1.0 / std::atan(1.0)));
    EXPECT_EQ(light_position[1], static_cast<float>(std::sin(1.0)));
    EXPECT_EQ(spot_direction[1], static_cast<float>(std::cos(1.0)));
    EXPECT_EQ(light_position[1], spot_direction[2]);
    EXPECT_EQ(light_position[2], spot_direction[1]);
}

TEST(TrianglesFrame, IndexCountAndLimit)
{
    const struct {
        double angle;
        double index_count;
        bool beyond;
    } cases[] = {{1.0, 72000.0, false}, {2.0, 108000.0, false}, {359.0, 12960000.0, false},
                 {360.0, 12996000.0, false}, {361.0, 13032000.0, true}, {1000.0, 36036000.0, true}};
    for (const auto& c : cases) {
        EXPECT_EQ(index_count_at(c.angle), c.index_count) << c.angle;
        EXPECT_EQ(beyond_limit(index_count_at(c.angle)), c.beyond) << c.angle;
    }
    EXPECT_EQ(static_cast<double>(vertex_data_count), 12996000.0);
}

TEST(TrianglesReport, FrameLines)
{
    const std::array<std::string, 5> first = frame_report_lines(1, 72000.0, 0.25, 4.0, 48000.0);
    EXPECT_EQ(first[0], "window: 1");
    EXPECT_EQ(first[1], "It drew 12000 Triangles.");
    EXPECT_EQ(first[2], "It spent: 0.25 Secs. ");
    EXPECT_EQ(first[3], "It was: 4 Angles/sec.");
    EXPECT_EQ(first[4], "It was: 48000 Triangles/sec.");
    EXPECT_EQ(frame_report_lines(3, 12996000.0, 0.5, 2.0, 4332000.0)[1], "It drew 2.166e+006 Triangles.");
    EXPECT_EQ(frame_report_lines(3, 12996000.0, 0.5, 2.0, 4332000.0)[4], "It was: 4.332e+006 Triangles/sec.");
    volatile double zero = 0.0;
    const std::array<std::string, 5> instant = frame_report_lines(1, 72000.0, zero, 1.0 / zero, 12000.0 / zero);
    EXPECT_EQ(instant[2], "It spent: 0 Secs. ");
    EXPECT_EQ(instant[3], "It was: 1.#INF Angles/sec.");
    EXPECT_EQ(instant[4], "It was: 1.#INF Triangles/sec.");
    EXPECT_EQ(std::string(limit_message), "It reaches limits, the program terminates.");
}

TEST(TrianglesReport, Summary)
{
    const std::vector<std::string> lines = summary_lines(1.5, 3.0);
    EXPECT_EQ(lines[0], "Total running time:  1.5 Secs. ");
    EXPECT_EQ(lines[1], "Average Angles/Sec: 2 Angles/Sec.");
    // Esc before any frame: 0 / 0.
    const std::vector<std::string> none = summary_lines(0.0, 0.0);
    EXPECT_EQ(none[0], "Total running time:  0 Secs. ");
    EXPECT_EQ(none[1], "Average Angles/Sec: -1.#IND Angles/Sec.");
}
