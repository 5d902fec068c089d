// The linear system of a loop's densely linked core, what the elimination
// of chains and small loops leaves of a quiz's random play: solved by a
// sparse direct solver within a budget, else by iteration, and in either
// case with a bound on the error that the shares derived from it can have.
#pragma once

#include <cstddef>
#include <utility>
#include <vector>

// How much work the cores of one quiz may cost, in multiply-adds: what
// each takes is taken off, so that a quiz of several dense parts takes no
// longer than one.
struct SolverBudget
{
    // The direct solver's factorisations, as estimated before each starts
    // (some 0.45 s here for the default).
    double direct = 1.5e9;
    // The iterations, where a factorisation would cost more than is left
    // (some 0.3 s at most).
    double iterative = 1.5e8;
};

// The expected visits x of the core's questions, numbered 0..n-1, from
//   leaving[i] * x[i] - sum of weight * x[from] over i's ways in = arriving[i]
// where leaving[i] is all of i's weight to the other questions and out of
// the core. Every question can leave the core, so the system has one
// solution, and its matrix is column diagonally dominant.
struct CoreSystem
{
    std::vector<long double> leaving;
    std::vector<long double> arriving;
    // Question i's ways in are ways[firstWay[i] .. firstWay[i + 1]): (from, weight).
    std::vector<size_t> firstWay{0};
    std::vector<std::pair<size_t, long double>> ways;

    size_t Size() const { return leaving.size(); }
};

struct CoreSolution
{
    std::vector<long double> visits;
    // The sum of the absolute residuals, in players, and of what rounding
    // may hide from them: no share of players leaving the core by one way
    // or another, nor their sum, is off by more (each is a mix of the
    // residuals with weights that are probabilities).
    long double bound = 0;
    bool direct = false;  // factorised, not iterated
};

// Factorises when the estimated work fits what is left of `budget.direct`,
// else iterates within `budget.iterative` (at least one step); takes off
// what it spent.
CoreSolution SolveCore(const CoreSystem& system, SolverBudget& budget);
