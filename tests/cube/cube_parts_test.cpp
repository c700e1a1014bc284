// The cube program's pure computations: the values of the point list, the
// light of a frame and the report texts, checked in the very functions the
// program calls.
#include "cube_report.h"
#include "light.h"
#include "point_values.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct PointCase {
    int number;                 // position in call order
    double normal[3];
    double colour[3];
    double vertex[3];
};

// The last point's normal component, 255 / sqrt(3 x 255^2) rounded through
// the root and the reciprocal; x87 keeps those in extended precision.
const double last_normal = sizeof(void*) == 8 ? 0.5773502691896258 : 0.5773502691896257;

bool same_bits(double a, double b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

} // namespace

TEST(CubePointValues, ListedPoints)
{
    const double q = 0.00390625;
    const double top = 0.99609375;
    const PointCase cases[] = {
        {1, {1, 0, 0}, {0, q, 0}, {0, 0, q}},
        {256, {0, 1, 0}, {q, 0, 0}, {0, q, 0}},
        {65536, {0, 0, 1}, {0, 0, q}, {q, 0, 0}},
        {16777215, {last_normal, last_normal, last_normal}, {top, top, top}, {top, top, top}},
    };
    for (const PointCase& c : cases) {
        const int i = c.number / 65536, j = c.number / 256 % 256, k = c.number % 256;
        double normal[3], colour[3], vertex[3];
        point_values(i, j, k, normal, colour, vertex);
        for (int n = 0; n < 3; ++n) {
            EXPECT_TRUE(same_bits(normal[n], c.normal[n]))
                << "point " << c.number << " normal " << n << ": " << std::to_string(normal[n]);
            EXPECT_EQ(colour[n], c.colour[n]) << "point " << c.number << " colour " << n;
            EXPECT_EQ(vertex[n], c.vertex[n]) << "point " << c.number << " vertex " << n;
        }
    }
}

TEST(CubePointValues, OriginHasNaNNormal)
{
    double normal[3], colour[3], vertex[3];
    point_values(0, 0, 0, normal, colour, vertex);
    for (int n = 0; n < 3; ++n) {
        EXPECT_TRUE(std::isnan(normal[n])) << n;
        EXPECT_EQ(colour[n], 0.0);
        EXPECT_EQ(vertex[n], 0.0);
    }
}

TEST(CubePointValues, EveryPointOfTheLattice)
{
    // Vertex (i, j, k)/256, colour (j, k, i)/256, normal (k, j, i) over the
    // length, a unit vector, for all 2^24 points but the origin.
    double worst = 0.0;
    for (int i = 0; i < cube_side; ++i)
        for (int j = 0; j < cube_side; ++j)
            for (int k = 0; k < cube_side; ++k) {
                double normal[3], colour[3], vertex[3];
                point_values(i, j, k, normal, colour, vertex);
                const double expected_vertex[3] = {i / 256.0, j / 256.0, k / 256.0};
                const double expected_colour[3] = {j / 256.0, k / 256.0, i / 256.0};
                if (std::memcmp(vertex, expected_vertex, sizeof vertex) != 0 ||
                    std::memcmp(colour, expected_colour, sizeof colour) != 0) {
                    ADD_FAILURE() << "point (" << i << ", " << j << ", " << k << ")";
                    return;
                }
                if (i + j + k == 0)
                    continue;
                const double length = std::sqrt(double(i * i + j * j + k * k));
                const double expected_normal[3] = {k / length, j / length, i / length};
                for (int n = 0; n < 3; ++n)
                    worst = std::fmax(worst, std::fabs(normal[n] - expected_normal[n]));
            }
    EXPECT_LT(worst, 1e-15);
}

TEST(CubeLight, FirstFrame)
{
    float position[4], direction[3];
    light_vectors(1.0, position, direction);
    const float q = static_cast<float>(4.0 / M_PI);
    const float c = static_cast<float>(0.5403023058681398);
    const float s = static_cast<float>(0.8414709848078965);
    // Cos before sin in the position, sin before cos in the direction.
    EXPECT_FLOAT_EQ(position[0], q);
    EXPECT_FLOAT_EQ(position[1], c);
    EXPECT_FLOAT_EQ(position[2], s);
    EXPECT_EQ(position[3], 1.0f);
    EXPECT_FLOAT_EQ(direction[0], q);
    EXPECT_FLOAT_EQ(direction[1], s);
    EXPECT_FLOAT_EQ(direction[2], c);
    EXPECT_NEAR(position[0], 1.27324f, 1e-5f);
    EXPECT_NEAR(position[1], 0.540302f, 1e-6f);
    EXPECT_NEAR(position[2], 0.841471f, 1e-6f);
}

TEST(CubeLight, AnyAngle)
{
    // No bound on the angle: large steps still give finite vectors.
    for (double angle : {2.0, 90.0, 361.0, 100000.0}) {
        float position[4], direction[3];
        light_vectors(angle, position, direction);
        EXPECT_FLOAT_EQ(position[0], static_cast<float>(1.0 / std::atan(angle))) << angle;
        EXPECT_FLOAT_EQ(position[1], static_cast<float>(std::cos(angle))) << angle;
        EXPECT_FLOAT_EQ(position[2], static_cast<float>(std::sin(angle))) << angle;
        EXPECT_EQ(direction[1], position[2]) << angle;
        EXPECT_EQ(direction[2], position[1]) << angle;
    }
}

TEST(CubeReport, FrameLines)
{
    struct Case {
        int window;
        double frame_time;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {1, 0.25,
         {"window: 1", "The system spent: 0.25 Secs. ", "It was: 4 Angles/sec.", "It was: 6.71089e+007 Vertex/sec."}},
        {7, 2.0,
         {"window: 7", "The system spent: 2 Secs. ", "It was: 0.5 Angles/sec.", "It was: 8.38861e+006 Vertex/sec."}},
        // A frame shorter than the clock's resolution.
        {1, 0.0, {"window: 1", "The system spent: 0 Secs. ", "It was: 1.#INF Angles/sec.", "It was: 1.#INF Vertex/sec."}},
    };
    for (const Case& c : cases) {
        const double angles = 1.0 / c.frame_time;
        const double vertices = 16777216.0 / c.frame_time;
        EXPECT_EQ(frame_report_lines(c.window, c.frame_time, angles, vertices), c.lines) << c.frame_time;
    }
}

TEST(CubeReport, SummaryLines)
{
    double total_time = 0.0, frame_count = 0.0, total_vertices = 0.0;
    // No frame yet: 0 / 0 in both averages.
    EXPECT_EQ(summary_lines(total_time, frame_count, total_vertices),
              (std::vector<std::string>{"Total running time:  0 Secs. ", "Average Angles/Sec: -1.#IND Angles/Sec.",
                                        "Average Vertex/Sec: -1.#IND Vertex/Sec."}));
    for (int n = 0; n < 3; ++n) {
        total_time += 0.5;
        frame_count += 1.0;
        total_vertices = 16777216.0 * frame_count;
    }
    EXPECT_EQ(summary_lines(total_time, frame_count, total_vertices),
              (std::vector<std::string>{"Total running time:  1.5 Secs. ", "Average Angles/Sec: 2 Angles/Sec.",
                                        "Average Vertex/Sec: 3.35544e+007 Vertex/Sec."}));
}
