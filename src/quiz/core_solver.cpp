// A loop's core solved with Eigen: SparseLU when the estimated cost of its
// factorisation fits the budget, BiCGSTAB otherwise; residuals and the
// solution kept in extended precision either way.
#include "quiz/core_solver.h"

#include <Eigen/IterativeLinearSolvers>
#include <Eigen/OrderingMethods>
#include <Eigen/SparseCore>
#include <Eigen/SparseLU>

#include <algorithm>
#include <cmath>
#include <limits>

namespace
{

template <typename Scalar>
using Matrix = Eigen::SparseMatrix<Scalar, Eigen::ColMajor, int>;
using Permutation = Eigen::PermutationMatrix<Eigen::Dynamic, Eigen::Dynamic, int>;
using LongVector = Eigen::Matrix<long double, Eigen::Dynamic, 1>;

// The matrix is column diagonally dominant, and stays so as it is
// factorised: its diagonal is always a sound pivot, and keeping to it keeps
// the fill to what the ordering planned. A small threshold lets rounding
// not stand in the way.
constexpr double DIAGONAL_PIVOT_THRESHOLD = 1e-3;
// Refining a direct solution stops here: as close as the residual in
// extended precision can tell.
constexpr long double ENOUGH = 1e-17L;
constexpr int MAX_REFINEMENTS = 6;

// Values a double holds without losing its range; the core's weights come
// from the elimination in extended precision and may not fit.
bool FitsDouble(long double value)
{
    const long double size = std::fabs(value);
    return size == 0 || (size > 1e-280L && size < 1e280L);
}

bool FitsDouble(const CoreSystem& system)
{
    const auto fits = [](long double value) { return FitsDouble(value); };
    return std::all_of(system.leaving.begin(), system.leaving.end(), fits) &&
           std::all_of(system.arriving.begin(), system.arriving.end(), fits) &&
           std::all_of(system.ways.begin(), system.ways.end(),
                       [](const std::pair<size_t, long double>& way) { return FitsDouble(way.second); });
}

template <typename Scalar>
Matrix<Scalar> MatrixOf(const CoreSystem& system)
{
    const int size = int(system.Size());
    std::vector<Eigen::Triplet<Scalar, int>> entries;
    entries.reserve(system.ways.size() + system.Size());
    for (size_t i = 0; i < system.Size(); ++i)
    {
        entries.emplace_back(int(i), int(i), Scalar(system.leaving[i]));
        for (size_t way = system.firstWay[i]; way < system.firstWay[i + 1]; ++way)
            entries.emplace_back(int(i), int(system.ways[way].first), Scalar(-system.ways[way].second));
    }
    Matrix<Scalar> matrix(size, size);
    matrix.setFromTriplets(entries.begin(), entries.end());
    matrix.makeCompressed();
    return matrix;
}

// The right-hand side less the matrix times `visits`, and the sum of its
// sizes; infinite when the visits are not all finite.
long double Residual(const CoreSystem& system, const std::vector<long double>& visits,
                     std::vector<long double>& residual)
{
    long double sum = 0;
    residual.resize(system.Size());
    for (size_t i = 0; i < system.Size(); ++i)
    {
        long double left = system.arriving[i] - system.leaving[i] * visits[i];
        for (size_t way = system.firstWay[i]; way < system.firstWay[i + 1]; ++way)
            left += system.ways[way].second * visits[system.ways[way].first];
        residual[i] = left;
        sum += std::fabs(left);
    }
    return std::isfinite(sum) ? sum : HUGE_VALL;
}

// What the residual computed cannot see: the rounding of the system's
// coefficients and of the residual's own sums (each term of a row off by a
// few units of the last place of the row's largest sums), and that of the
// players arriving, summed in double precision. Over the many rounds a
// rarely left core keeps its players, these add up: a sum over every
// question of its visits times all its weight.
long double RoundingBound(const CoreSystem& system, const std::vector<long double>& visits)
{
    // The longest sum: a row's ways in, or a question's leaving weight,
    // which adds up its ways out.
    std::vector<size_t> out(system.Size(), 0);
    for (const auto& [from, weight] : system.ways)
        ++out[from];
    size_t widest = 0;
    long double weight = 0;
    long double arriving = 0;
    for (size_t i = 0; i < system.Size(); ++i)
    {
        widest = std::max({widest, system.firstWay[i + 1] - system.firstWay[i], out[i]});
        weight += system.leaving[i] * std::fabs(visits[i]);
        arriving += std::fabs(system.arriving[i]);
    }
    const long double terms = static_cast<long double>(widest) + 4;
    return terms * std::numeric_limits<long double>::epsilon() * (arriving + 3 * weight) +
           8 * std::numeric_limits<double>::epsilon() * arriving;
}

// AMD's order of elimination for the pattern of the matrix and its
// transpose, given as SparseLU takes a column order: each column's new
// place. (AMD itself lists the columns in the order they are eliminated.)
struct ColumnOrder
{
    template <typename MatrixType>
    void operator()(const MatrixType& matrix, Permutation& order) const
    {
        Permutation eliminated;
        Eigen::AMDOrdering<int>()(matrix, eliminated);
        order = eliminated.inverse();
    }
};

// The multiply-adds of factorising the matrix with diagonal pivots in
// ColumnOrder: the sum over the columns of the square of the entries each
// gets below the diagonal, counted on the symmetric pattern (which holds
// the pattern of the factors) with its elimination tree, as a symbolic
// Cholesky factorisation counts them. Counting costs as much as there are
// entries, so it stops once they alone prove the budget exceeded.
double FactorisationWork(const Matrix<double>& matrix, double budget)
{
    const int size = int(matrix.cols());
    Permutation order;
    ColumnOrder()(matrix, order);
    std::vector<Eigen::Triplet<double, int>> pattern;
    pattern.reserve(2 * size_t(matrix.nonZeros()));
    for (int column = 0; column < size; ++column)
        for (Matrix<double>::InnerIterator entry(matrix, column); entry; ++entry)
        {
            const int row = order.indices()(entry.index());
            const int placed = order.indices()(column);
            pattern.emplace_back(row, placed, 1.0);
            pattern.emplace_back(placed, row, 1.0);
        }
    Matrix<double> symmetric(size, size);
    symmetric.setFromTriplets(pattern.begin(), pattern.end());
    // The entries a budget's worth of work cannot exceed: n columns of c
    // entries cost at least (n c)^2 / n.
    const double most = std::sqrt(budget * std::max(1, size));
    std::vector<int> parent(size_t(size), -1);
    std::vector<int> seen(size_t(size), -1);
    std::vector<double> below(size_t(size), 0);
    double entries = 0;
    for (int k = 0; k < size; ++k)
    {
        seen[size_t(k)] = k;
        for (Matrix<double>::InnerIterator entry(symmetric, k); entry; ++entry)
            for (int i = int(entry.index()); i < k && seen[size_t(i)] != k; i = parent[size_t(i)])
            {
                if (parent[size_t(i)] == -1)
                    parent[size_t(i)] = k;
                seen[size_t(i)] = k;
                below[size_t(i)] += 1;
                entries += 1;
            }
        if (entries > most)
            return HUGE_VAL;
    }
    double work = 0;
    for (const double count : below)
        work += count * count;
    return work;
}

// Improves `visits` by a step that `solve` finds for the residual, while
// that makes the residual smaller; returns the last residual's size.
// `solve` gives an empty step when it has none.
template <typename Solve>
long double Refine(const CoreSystem& system, std::vector<long double>& visits, Solve solve)
{
    std::vector<long double> residual;
    long double bound = Residual(system, visits, residual);
    for (int round = 0; round < MAX_REFINEMENTS && bound > ENOUGH; ++round)
    {
        const LongVector step = solve(LongVector::Map(residual.data(), Eigen::Index(residual.size())));
        if (step.size() == 0 || !step.allFinite())
            break;
        std::vector<long double> better = visits;
        for (size_t i = 0; i < better.size(); ++i)
            better[i] += step[Eigen::Index(i)];
        std::vector<long double> next;
        const long double nextBound = Residual(system, better, next);
        if (!(nextBound < bound))
            break;
        visits = std::move(better);
        residual = std::move(next);
        bound = nextBound;
    }
    return bound;
}

bool SolveDirectly(const CoreSystem& system, const Matrix<double>& matrix, CoreSolution& solution)
{
    Eigen::SparseLU<Matrix<double>, ColumnOrder> lu;
    lu.setPivotThreshold(DIAGONAL_PIVOT_THRESHOLD);
    lu.compute(matrix);
    if (lu.info() != Eigen::Success)
        return false;
    solution.visits.assign(system.Size(), 0);
    solution.bound = Refine(system, solution.visits, [&](const LongVector& residual) {
        const Eigen::VectorXd step = lu.solve(residual.cast<double>());
        return lu.info() == Eigen::Success ? LongVector(step.cast<long double>()) : LongVector();
    });
    solution.bound += RoundingBound(system, solution.visits);
    solution.direct = true;
    return std::isfinite(solution.bound);
}

// BiCGSTAB in extended precision, which holds any core's range; its
// iterations are cheap beside a dense factorisation, and a densely linked
// core, where factorising would cost too much, mixes its players quickly.
// Restarted from its last answer while that helps and the budget lasts.
void Iterate(const CoreSystem& system, double& budget, CoreSolution& solution)
{
    const Matrix<long double> matrix = MatrixOf<long double>(system);
    // Two products with the matrix and some ten vector operations a step.
    const double perStep = 2.0 * double(matrix.nonZeros()) + 10.0 * double(system.Size());
    double steps = std::max(1.0, budget / perStep);
    Eigen::BiCGSTAB<Matrix<long double>, Eigen::DiagonalPreconditioner<long double>> solver;
    solver.setTolerance(ENOUGH);
    solver.compute(matrix);
    solution.visits.assign(system.Size(), 0);
    solution.bound = Refine(system, solution.visits, [&](const LongVector& residual) {
        if (steps < 1)
            return LongVector();
        solver.setMaxIterations(Eigen::Index(steps));
        LongVector step = solver.solve(residual);
        const double taken = std::max<double>(1, double(solver.iterations()));
        steps -= taken;
        budget -= taken * perStep;
        return step;
    });
    solution.bound += RoundingBound(system, solution.visits);
    solution.direct = false;
}

} // namespace

CoreSolution SolveCore(const CoreSystem& system, SolverBudget& budget)
{
    CoreSolution solution;
    if (FitsDouble(system))
    {
        const Matrix<double> matrix = MatrixOf<double>(system);
        const double work = FactorisationWork(matrix, budget.direct);
        if (work <= budget.direct && SolveDirectly(system, matrix, solution))
        {
            budget.direct -= work;
            return solution;
        }
    }
    Iterate(system, budget.iterative, solution);
    return solution;
}
