// Generated quizzes for the map benchmarks: a layered one, shaped like a
// large real quiz, and a small densely linked one, the hardest kind for the
// layout per box.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>

// Layers of questions, each with four answers into the next layer; the last
// layer's answers end the quiz with one of four results.
inline std::string LayeredQuiz(int questions, int layer)
{
    static const int OFFSETS[] = {0, 1, 7, 13};
    std::string xml = "<questions>\n";
    for (int k = 0; k < questions; ++k)
    {
        const int next = (k / layer + 1) * layer;  // first question of the next layer
        xml += "<QUESTION><ID>" + std::to_string(1001 + k) + "</ID><Q>第 " + std::to_string(k + 1) +
               " 题：周末早上醒来，你最想做的第一件事是什么？</Q>\n";
        for (int a = 0; a < 4; ++a)
        {
            // Offsets 0, 1, 7 and 13 spread each layer's ways over the whole
            // next one; only the first layer has questions nobody reaches.
            const int to = next + (k % layer + OFFSETS[a]) % layer;
            const std::string target = to < questions ? std::to_string(1001 + to) : "0";
            const std::string text = to < questions ? "约上朋友出门吃早午餐 " + std::to_string(a + 1)
                                                    : "你是 " + std::string(1, char('A' + a)) + " 型";
            xml += "  <ANSWER><A>" + text + "</A><GOTO>" + target + "</GOTO></ANSWER>\n";
        }
        xml += "</QUESTION>\n";
    }
    return xml + "</questions>\n";
}

// `questions` questions with `answers` answers each, every one leading to a
// question drawn at random (the same ones every run); the first answer of
// every tenth question ends the quiz instead.
inline std::string DenseQuiz(int questions, int answers)
{
    std::uint32_t state = 12345;
    const auto Draw = [&](int below) {
        state = state * 1664525u + 1013904223u;  // the same sequence everywhere
        return int((state >> 8) % std::uint32_t(below));
    };
    std::string xml = "<questions>\n";
    for (int k = 0; k < questions; ++k)
    {
        xml += "<QUESTION><ID>" + std::to_string(1001 + k) + "</ID><Q>第 " + std::to_string(k + 1) +
               " 题：这时你会怎么做？</Q>\n";
        for (int a = 0; a < answers; ++a)
        {
            const bool ends = a == 0 && k % 10 == 9;
            const std::string target = ends ? "0" : std::to_string(1001 + Draw(questions));
            const std::string text = ends ? "你是 " + std::string(1, char('A' + k / 10 % 7)) + " 型"
                                          : "选项 " + std::to_string(a + 1);
            xml += "  <ANSWER><A>" + text + "</A><GOTO>" + target + "</GOTO></ANSWER>\n";
        }
        xml += "</QUESTION>\n";
    }
    return xml + "</questions>\n";
}

// The value of a command-line option `name` (e.g. "--questions="), or null
// when it is not given.
inline const char* Text(int argc, char** argv, const char* name)
{
    const size_t length = std::strlen(name);
    for (int i = 1; i < argc; ++i)
        if (std::strncmp(argv[i], name, length) == 0)
            return argv[i] + length;
    return nullptr;
}
