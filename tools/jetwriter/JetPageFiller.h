#pragma once

#include "JetPageFormat.h"

#include <QByteArray>
#include <QVector>

namespace kemuyi::jet {

// Fills data pages from the end towards the header, as the format stores rows.
class PageFiller
{
public:
    PageFiller(const PageFormat &format, QVector<QByteArray> &pages, quint32 owner);

    static int capacity(const PageFormat &format) { return format.pageSize - format.dataHeader - 2; }

    // Places the row on the current page or a new one; returns its page and row number.
    quint32 add(const QByteArray &row, QVector<int> *newPages = nullptr);

    // The next row starts a page of its own.
    void finishPage() { m_page = -1; }

    // Fills the given, already reserved page next.
    void startAt(int pageNumber);

private:
    void startPage();
    void initialise();

    PageFormat m_format;
    QVector<QByteArray> &m_pages;
    quint32 m_owner;
    int m_page = -1;
    int m_rows = 0;
    int m_nextStart = 0;
};

} // namespace kemuyi::jet
