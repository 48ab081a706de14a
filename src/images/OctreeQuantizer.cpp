#include "images/OctreeQuantizer.h"

namespace {
constexpr int kDepth = 8;
}

OctreeQuantizer::OctreeQuantizer(int maxColours) : m_maxColours(std::max(1, maxColours)) {
    newNode(0);
}

int OctreeQuantizer::branch(QRgb colour, int level) {
    const int shift = 7 - level;
    return (((qRed(colour) >> shift) & 1) << 2) | (((qGreen(colour) >> shift) & 1) << 1) |
           ((qBlue(colour) >> shift) & 1);
}

int OctreeQuantizer::newNode(int level) {
    Node node;
    node.children.fill(-1);
    node.leaf = level == kDepth;
    m_nodes.push_back(node);
    const int id = int(m_nodes.size()) - 1;
    if (node.leaf)
        ++m_leaves;
    else if (level > 0)
        m_reducible[size_t(level)].push_back(id);
    return id;
}

void OctreeQuantizer::add(QRgb colour) {
    int id = 0;
    for (int level = 0; !m_nodes[size_t(id)].leaf; ++level) {
        const int b = branch(colour, level);
        int child = m_nodes[size_t(id)].children[size_t(b)];
        if (child < 0) {
            child = newNode(level + 1);
            m_nodes[size_t(id)].children[size_t(b)] = child;
        }
        id = child;
    }
    Node& leaf = m_nodes[size_t(id)];
    leaf.red += quint64(qRed(colour));
    leaf.green += quint64(qGreen(colour));
    leaf.blue += quint64(qBlue(colour));
    ++leaf.count;
    while (m_leaves > m_maxColours && reduce()) {
    }
}

bool OctreeQuantizer::reduce() {
    int level = kDepth - 1;
    while (level > 0 && m_reducible[size_t(level)].empty())
        --level;
    if (level == 0) return false;
    const int id = m_reducible[size_t(level)].back();
    m_reducible[size_t(level)].pop_back();
    Node merged = m_nodes[size_t(id)];
    int children = 0;
    for (int& child : merged.children) {
        if (child < 0) continue;
        const Node& c = m_nodes[size_t(child)];
        merged.red += c.red;
        merged.green += c.green;
        merged.blue += c.blue;
        merged.count += c.count;
        ++children;
        child = -1;
    }
    merged.leaf = true;
    m_nodes[size_t(id)] = merged;
    m_leaves += 1 - children;
    return true;
}

QList<QRgb> OctreeQuantizer::palette() {
    QList<QRgb> colours;
    std::vector<int> stack{0};
    while (!stack.empty()) {
        const int id = stack.back();
        stack.pop_back();
        Node& node = m_nodes[size_t(id)];
        if (node.leaf) {
            if (node.count == 0) continue;
            node.index = int(colours.size());
            colours << qRgb(int(node.red / node.count), int(node.green / node.count),
                            int(node.blue / node.count));
            continue;
        }
        for (int child : node.children)
            if (child >= 0) stack.push_back(child);
    }
    return colours;
}

int OctreeQuantizer::indexOf(QRgb colour) const {
    int id = 0;
    for (int level = 0; !m_nodes[size_t(id)].leaf; ++level) {
        const int child = m_nodes[size_t(id)].children[size_t(branch(colour, level))];
        if (child < 0) return 0;
        id = child;
    }
    return std::max(0, m_nodes[size_t(id)].index);
}
