#pragma once

#include <utility>

// A service behind an interface (an operating-system service, or the way
// forms are shown modally). The program reaches it through Current(): the
// real implementation, unless a stand-in has taken its place (see
// ServiceStandIn).
template <typename Service>
class ServiceSlot {
public:
    static Service& Current()
    {
        Service* pInstalled = Installed();
        return pInstalled ? *pInstalled : Real();
    }

    // Installs pService; nullptr restores the real one. Returns the
    // previously installed service (nullptr for the real one).
    static Service* Install(Service* pService) { return std::exchange(Installed(), pService); }

private:
    // The real implementation, defined beside it; its header declares the
    // specialisation.
    static Service& Real();

    static Service*& Installed()
    {
        static Service* pService = nullptr;
        return pService;
    }
};

// The base of a stand-in for a service: it takes the service's place when it
// is made and gives it back when it is destroyed, so stand-ins nest.
template <typename Service>
class ServiceStandIn : public Service {
public:
    ServiceStandIn(const ServiceStandIn&) = delete;
    ServiceStandIn& operator=(const ServiceStandIn&) = delete;

protected:
    ServiceStandIn()
        : m_pPrevious(ServiceSlot<Service>::Install(this))
    {
    }
    ~ServiceStandIn() override { ServiceSlot<Service>::Install(m_pPrevious); }

private:
    Service* m_pPrevious;
};
