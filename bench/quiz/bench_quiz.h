// The large quiz the engine benchmarks load, and what their plain timed
// programs share.
#pragma once

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

// Options of the plain timed programs: --questions=N --rounds=N.
struct RatioOptions
{
    int questions = 10000;
    int rounds = 9;
};

inline RatioOptions ParseRatioOptions(int argc, char** argv)
{
    RatioOptions options;
    for (int i = 1; i < argc; ++i)
    {
        if (std::strncmp(argv[i], "--questions=", 12) == 0)
            options.questions = std::atoi(argv[i] + 12);
        else if (std::strncmp(argv[i], "--rounds=", 9) == 0)
            options.rounds = std::max(1, std::atoi(argv[i] + 9));
    }
    return options;
}

inline double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// A chain quiz: question k leads on to k+1 (first answer), to k+2, to a
// random question, or ends; IDs from 1001.
inline std::string MakeQuiz(int questions)
{
    std::mt19937 random(42);
    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<questions>\n";
    for (int k = 0; k < questions; ++k)
    {
        const int id = 1001 + k;
        const auto target = [&](int offset) {
            return k + offset < questions ? std::to_string(id + offset) : std::string("0");
        };
        xml += "  <QUESTION>\n    <ID>" + std::to_string(id) + "</ID>\n    <Q>第 " +
               std::to_string(id) + " 题：周末早上醒来，你最想做的第一件事是什么？</Q>\n";
        const std::string targets[] = {target(1), target(2),
                                       std::to_string(1001 + random() % questions), "0"};
        for (const std::string& to : targets)
            xml += "    <ANSWER>\n      <A>约上朋友出门吃早午餐 &amp; 聊聊天 (" + to +
                   ")</A>\n      <GOTO>" + to + "</GOTO>\n    </ANSWER>\n";
        xml += "  </QUESTION>\n";
    }
    return xml + "</questions>\n";
}
