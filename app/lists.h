// The game's three lists (enemies, sprite objects, score popups) are singly linked from a head,
// with a tail for appending, and their entries come and go every tick.
#pragma once

#include <new>

// A zeroed entry after the tail, or null when none can be had (the caller skips what it was for).
template <class Node> Node* AppendNode(Node*& head, Node*& tail) {
    Node* node = new (std::nothrow) Node{};
    if (!node) return nullptr;
    if (tail)
        tail->next = node;
    else
        head = node;
    tail = node;
    return node;
}

// Unlinks and frees the entry; returns the one that followed it.
template <class Node> Node* RemoveNode(Node*& head, Node*& tail, Node* node) {
    Node* following = node->next;
    if (node == head) {
        head = following;
        if (!following) tail = nullptr;
    } else {
        Node* before = head;
        while (before->next != node) before = before->next;
        before->next = following;
        if (node == tail) tail = before;
    }
    delete node;
    return following;
}

template <class Node> void ClearNodes(Node*& head, Node*& tail) {
    while (head) RemoveNode(head, tail, head);
}
