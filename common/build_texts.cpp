#include "build_texts.h"

std::string banner(const char* title)
{
    return std::string("Quorvel :: Tamberlin Benchmark ") + title + " for " + build_system +
           " system 2013.09.13.";
}

std::string results_file_name(const char* program)
{
    return std::string("results_") + program + "_" + build_bits + ".txt";
}

std::string window_title(const char* title)
{
    return std::string("OPENGL ") + title + " " + build_bits;
}
