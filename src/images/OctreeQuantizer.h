#pragma once

#include <QList>
#include <QRgb>

#include <array>
#include <vector>

/// Reduces the colours of a picture to at most a given number with an octree: colours
/// are added one by one, the deepest branches merged whenever there are too many leaves,
/// and each colour then maps to the mean of the leaf it ends in.
class OctreeQuantizer {
public:
    explicit OctreeQuantizer(int maxColours);

    void add(QRgb colour);
    /// The leaves' mean colours, at most maxColours; numbers the leaves for indexOf().
    QList<QRgb> palette();
    /// The palette index of a colour that was added, after palette().
    int indexOf(QRgb colour) const;

private:
    struct Node {
        std::array<int, 8> children;
        quint64 red = 0, green = 0, blue = 0, count = 0;
        int index = -1;
        bool leaf = false;
    };

    int newNode(int level);
    bool reduce();
    static int branch(QRgb colour, int level);

    int m_maxColours;
    int m_leaves = 0;
    std::vector<Node> m_nodes;
    std::array<std::vector<int>, 8> m_reducible;
};
