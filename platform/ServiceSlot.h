#pragma once

// One operating-system service behind an interface: the real implementation
// unless a test has installed another in its place.
template <typename Service, typename Real>
class ServiceSlot {
public:
    static Service& Current()
    {
        if (Installed())
            return *Installed();
        static Real real;
        return real;
    }

    // Installs pService; nullptr restores the real one. Returns the
    // previously installed service (nullptr for the real one).
    static Service* Install(Service* pService)
    {
        Service* pPrevious = Installed();
        Installed() = pService;
        return pPrevious;
    }

private:
    static Service*& Installed()
    {
        static Service* pService = nullptr;
        return pService;
    }
};
