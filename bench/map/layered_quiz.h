// A generated quiz for the map benchmarks: layers of questions, each with
// four answers into the next layer; the last layer's answers end the quiz
// with one of four results.
#pragma once

#include <string>

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
