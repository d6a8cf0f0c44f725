// The pictures the play area may draw, for the later levels.
#include <algorithm>
#include <string_view>
#include <vector>

#include "model/GeneratorShapes.h"

namespace zk::gen {

namespace {

// A picture: rows of '#' (a movable cell) and '.', at most 9 x 7.
struct Picture {
    Shape shape;
    std::vector<std::string_view> rows;
    bool mirrors; // a mirrored copy still reads as the same thing
};

const std::vector<Picture>& Pictures() {
    // clang-format off
    static const std::vector<Picture> pictures = {
        {Shape::House, {
            "....#....",
            "...###...",
            "..#####..",
            ".#######.",
            "..##.##..",
            "..##.##..",
            "..#####..",
         }, false},
        {Shape::Arrow, {
            ".....#...",
            ".....##..",
            "########.",
            "#########",
            "########.",
            ".....##..",
            ".....#...",
         }, true},
        {Shape::Heart, {
            ".##...##.",
            "####.####",
            "#########",
            ".#######.",
            "..#####..",
            "...###...",
            "....#....",
         }, false},
        {Shape::Tree, {
            "....#....",
            "...###...",
            "..#####..",
            ".#######.",
            "...###...",
            "....#....",
            "....#....",
         }, false},
        {Shape::Boat, {
            "....#....",
            "....##...",
            "....###..",
            "....#....",
            "#########",
            ".#######.",
            "..#####..",
         }, true},
        {Shape::Key, {
            ".###.....",
            "#...#....",
            "#...#####",
            "#...#.#.#",
            ".###.....",
         }, true},
        {Shape::Fish, {
            "..####...",
            ".######.#",
            "#########",
            ".######.#",
            "..####...",
         }, true},
        {Shape::Star, {
            "....#....",
            "...###...",
            "#########",
            ".#######.",
            "..#####..",
            ".###.###.",
            ".##...##.",
         }, false},
        {Shape::Crown, {
            "#...#...#",
            "##.###.##",
            "#########",
            "#########",
            ".#######.",
         }, false},
        {Shape::Mushroom, {
            "..#####..",
            ".#######.",
            "#########",
            "...###...",
            "...###...",
            "..#####..",
         }, false},
        {Shape::Bell, {
            "...###...",
            "..#####..",
            "..#####..",
            ".#######.",
            "#########",
            "....#....",
         }, false},
        {Shape::Hourglass, {
            "#######",
            ".#####.",
            "..###..",
            "...#...",
            "..###..",
            ".#####.",
            "#######",
         }, false},
        {Shape::Anchor, {
            "...#...",
            "..###..",
            "...#...",
            "#..#..#",
            "##.#.##",
            ".#####.",
            "..###..",
         }, false},
        {Shape::Spiral, {
            "#######",
            "......#",
            ".####.#",
            ".#..#.#",
            ".#....#",
            ".######",
         }, true},
        {Shape::Comb, {
            "#########",
            "#.#.#.#.#",
            "#.#.#.#.#",
         }, false},
        {Shape::Bridge, {
            "#########",
            "#########",
            "##.....##",
            "##.....##",
         }, false},
        {Shape::LetterA, {
            "..###..",
            ".##.##.",
            "##...##",
            "#######",
            "##...##",
            "##...##",
            "##...##",
         }, false},
        {Shape::LetterC, {
            ".#####",
            "######",
            "##....",
            "##....",
            "##....",
            "######",
            ".#####",
         }, false},
        {Shape::LetterE, {
            "######",
            "######",
            "##....",
            "#####.",
            "##....",
            "######",
            "######",
         }, false},
        {Shape::LetterF, {
            "######",
            "######",
            "##....",
            "#####.",
            "##....",
            "##....",
            "##....",
         }, false},
        {Shape::LetterK, {
            "##...##",
            "##..##.",
            "##.##..",
            "####...",
            "##.##..",
            "##..##.",
            "##...##",
         }, false},
        {Shape::LetterM, {
            "##...##",
            "###.###",
            "#######",
            "##.#.##",
            "##...##",
            "##...##",
            "##...##",
         }, false},
        {Shape::LetterS, {
            ".#####",
            "######",
            "##....",
            ".####.",
            "....##",
            "######",
            "#####.",
         }, false},
        {Shape::LetterX, {
            "##...##",
            ".##.##.",
            "..###..",
            "...#...",
            "..###..",
            ".##.##.",
            "##...##",
         }, false},
        {Shape::LetterY, {
            "##...##",
            ".##.##.",
            "..###..",
            "...#...",
            "...#...",
            "...#...",
            "..###..",
         }, false},
        {Shape::LetterZ, {
            "#######",
            "#######",
            "....##.",
            "...##..",
            "..##...",
            "#######",
            "#######",
         }, false},
    };
    // clang-format on
    return pictures;
}

} // namespace

Area DrawPicture(Shape shape, Dice& dice) {
    Area area{};
    for (const Picture& p : Pictures()) {
        if (p.shape != shape) {
            continue;
        }
        const int height = static_cast<int>(p.rows.size());
        const int width = static_cast<int>(p.rows.front().size());
        const bool mirror = p.mirrors && dice.Chance(50);
        const int column = dice.Range(0, Columns - width);
        const int row = dice.Range(0, Rows - height);
        for (int r = 0; r < height; ++r) {
            for (int c = 0; c < width; ++c) {
                const char mark = p.rows[static_cast<std::size_t>(r)]
                                        [static_cast<std::size_t>(mirror ? width - 1 - c : c)];
                area[static_cast<std::size_t>(CellIndex(column + c, row + r))] = mark == '#';
            }
        }
    }
    return area;
}

int PictureCells(Shape shape) {
    int cells = 0;
    for (const Picture& p : Pictures()) {
        if (p.shape == shape) {
            for (const std::string_view row : p.rows) {
                cells += static_cast<int>(std::count(row.begin(), row.end(), '#'));
            }
        }
    }
    return cells;
}

} // namespace zk::gen
