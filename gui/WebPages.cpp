#include "gui/WebPages.h"

#include "gui/Desktop.h"
#include "res/WebAddresses.h"

#include <QCoreApplication>

QUrl WebPageUrl(int nId)
{
    const WebAddress* pAddress = FindWebAddress(nId);
    if (!pAddress)
        return {};
    if (pAddress->bLocal)
        return QUrl::fromLocalFile(QCoreApplication::applicationDirPath() + "/" +
                                   QString::fromLatin1(pAddress->pszAddress));
    return QUrl(QString::fromLatin1(pAddress->pszAddress));
}

void OpenWebPage(int nId) { desktop::OpenOrBeep(WebPageUrl(nId)); }
