#pragma once
// A chart line series as the model sees it: the storm's hyetograph and the
// hydrograph fill one point at a time. The chart adapter implements it with
// the real line series; tests collect the points.

class ISerieGrafico {
 public:
  virtual ~ISerieGrafico() = default;
  virtual void Limpar() = 0;
  // Point without label, in the series' default colour.
  virtual void Adicionar(double x, double y) = 0;
};
