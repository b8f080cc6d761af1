#pragma once

namespace taskstore {

class Connection;

// Groups the statements of one save: either all of them land or none. Rolled back unless
// committed. Opened inside another, it is part of that one: the outer one's rollback
// undoes it even when it was committed.
class Transaction {
public:
    explicit Transaction(Connection &connection); // throws DatabaseError
    ~Transaction();
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;

    void commit(); // throws DatabaseError

private:
    void run(const char *statement);

    Connection &m_connection;
    bool m_nested;
    bool m_open = true;
};

} // namespace taskstore
